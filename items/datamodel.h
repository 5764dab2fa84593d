#pragma once

#include <QAbstractTableModel>
#include <QList>

class DmmData;
class ItemData;

// The reading table of the active item: number, time, value, unit, basis.
// It borrows the item's readings and never deletes them.
class DataModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DataModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int appendData(DmmData *data);
    int setDataList(const QList<DmmData *> &list);
    void clearData();
    void setItem(ItemData *item);

private:
    QList<DmmData *> dataList;
    ItemData *item = nullptr;
};
