#include "dlgexport.h"
#include "ui_dlgexport.h"

#include <QFileDialog>

dlgExport::dlgExport(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::dlgExport)
{
    ui->setupUi(this);
    ui->rbTable->setChecked(true);
    ui->wgtScene->hide();
}

dlgExport::~dlgExport()
{
    delete ui;
}

int dlgExport::exportType() const
{
    return m_exportType;
}

QString dlgExport::sceneFile() const
{
    return m_sceneFile;
}

void dlgExport::setSceneFile(const QString &file)
{
    m_sceneFile = file;
    ui->edtSceneName->setText(file);
}

void dlgExport::on_rbTable_toggled(bool checked)
{
    if (checked)
        m_exportType = 0;
}

void dlgExport::on_rbHistogram_toggled(bool checked)
{
    if (checked)
        m_exportType = 1;
}

void dlgExport::on_rbChart_toggled(bool checked)
{
    if (checked)
        m_exportType = 2;
}

void dlgExport::on_rbPdf_toggled(bool checked)
{
    if (checked)
        m_exportType = 3;
    ui->wgtScene->setVisible(checked);
}

void dlgExport::on_btnScenePic_clicked()
{
    setSceneFile(QFileDialog::getOpenFileName(this, tr("Please select a scene picture."), QString(),
                                              QStringLiteral("Images(*.png *.xpm *.jpg)")));
}
