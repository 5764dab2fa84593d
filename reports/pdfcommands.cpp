// The PDF report command of the main window.
#include "app/widget.h"
#include "ui_widget.h"

#include "charts/dmmchart.h"
#include "charts/histogram.h"
#include "items/datamodel.h"
#include "reports/pdfreport.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>

void Widget::exportPdf(const QString &sceneFile)
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Export the datas to a pdf file."), QString(),
                                                          QStringLiteral("PDF file(*.pdf)"));
    if (fileName.isEmpty())
        return;
    PdfReport report(*dataModel, reportColumns);
    report.setSceneFile(sceneFile);
    report.setHistogram(histogram->picture());
    report.setChart(ui->chart->picture());
    // The document goes to a temporary file that replaces the target only
    // once it is complete, so a failed export leaves no broken file behind.
    QSaveFile file(fileName);
    const bool written = file.open(QIODevice::WriteOnly) && report.write(&file) && file.commit();
    QMessageBox::information(this, QString(),
                             written ? tr("The datas is exported successfully.") : tr("The datas is exported failed."));
}
