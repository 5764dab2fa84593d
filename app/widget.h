#pragma once

#include "items/itemdata.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QModelIndex>

class DataModel;
class DmmData;
class Histogram;
class IDmm;
class IMyDmm;
class QStandardItem;
class SerialDeviceInf;
class SerialRS232VirInf;
class TvItemModel;
class UpdateThrottle;
struct HistogramRange;
struct ReportColumn;

namespace Ui {
class Widget;
}

// The main window and the hub of the application: it owns the form, holds the
// gauge plug-in interfaces, the active item and the models, and carries the
// slots of every subsystem. The slots are implemented in the folder of the
// subsystem they belong to (device/, items/, reports/).
class Widget : public QMainWindow
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

signals:
    void updateDowndPos(int total, int pos);

private slots:
    void initObj();
    bool loadPlugins();
    void initConnec();
    void initWidget();
    void initSelf();
    void saveSettings();
    void restoreSettings();
    void newItem(QString name, ItemData::DataType type);
    void slotAction();
    void slotDmmOpened();
    void slotDmmClosed();
    void slotUSBRefreshed();
    void on_actionTest_triggered();
    void on_actionManual_triggered();
    void on_actionClearMsg_triggered();
    void on_actionItemNew_triggered();
    void on_actionItemDelete_triggered();
    void on_actionItemRename_triggered();
    void on_actionItemSetToActive_triggered();
    void on_actionItemDownload_triggered();
    void on_actionStart_triggered();
    void on_actionStop_triggered();
    void on_actionExport_triggered();
    void on_actionImport_triggered();
    void slotMessage(QString msg);
    void itemSetToActive(QModelIndex index);
    void on_tvItems_activated(QModelIndex index);
    void slotItemModeleditDataChanged(QModelIndex index);
    void slotCurrentRowChanged(QModelIndex current, QModelIndex previous);
    void slotDmmDisplay(const DmmData *data);
    void slotStoreNum(int total, int num);
    void slotDisplayStore(const DmmData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool isGaugePortPresent() const;
    bool isGaugeOpen() const;
    void endRecording();
    ItemData *storeDataItem() const;
    void initItemTree();
    void showReading(DmmData *reading, double value, const QString &text);
    void deleteAllItems();
    QList<QAction *> itemActionsFor(const QModelIndex &index) const;
    void refreshItemView();
    void reloadItemView();
    void refreshStatistics();
    QString settingsFilePath() const;
    void exportExcel();
    void exportPdf(const QString &sceneFile);
    void importExcel();
    void delay(int ms);

    Ui::Widget *ui;
    IDmm *dmm = nullptr;
    IMyDmm *myDmm = nullptr;
    SerialDeviceInf *serialDevice = nullptr;
    SerialRS232VirInf *virtualPort = nullptr;
    ItemData *activeItem = nullptr;
    bool running = false;
    DataModel *dataModel = nullptr;
    QIcon itemIcon;
    TvItemModel *itemModel = nullptr;
    Histogram *histogram = nullptr;
    QStandardItem *liveGroupItem = nullptr;
    QList<ReportColumn *> reportColumns;
    QString sceneFileName;
    // The eight histogram classes; they outlive the histogram, which keeps
    // pointers to them.
    QList<HistogramRange *> histogramRanges;
    // Scrolling the table to its last row costs far more than appending a
    // row, so a burst of readings scrolls it at most 25 times a second.
    UpdateThrottle *tableScroll = nullptr;
};
