#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class dlgExport;
}

// The Export dialog: which output to write (0 workbook, 1 histogram picture,
// 2 chart picture, 3 PDF report) and, for the report, the scene picture. The
// scene file is set from outside or chosen with "..."; the line edit only
// shows it and typed text is never read back.
class dlgExport : public QDialog
{
    Q_OBJECT

public:
    explicit dlgExport(QWidget *parent = nullptr);
    ~dlgExport() override;

    int exportType() const;
    QString sceneFile() const;
    void setSceneFile(const QString &file);

public slots:
    void on_rbTable_toggled(bool checked);
    void on_rbHistogram_toggled(bool checked);
    void on_rbChart_toggled(bool checked);
    void on_rbPdf_toggled(bool checked);
    void on_btnScenePic_clicked();

private:
    Ui::dlgExport *ui;
    int m_exportType = 0;
    QString m_sceneFile;
};
