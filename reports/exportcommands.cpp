// The Export command of the main window: the export dialog and the dispatch
// to the four outputs, with the JPG pictures of the histogram and the chart.
#include "app/widget.h"
#include "ui_widget.h"

#include "charts/dmmchart.h"
#include "charts/histogram.h"
#include "reports/dlgexport.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include <functional>

namespace {
// Asks for a JPG file and saves a picture there. Without a suffix the name
// would name no image format and nothing would be saved, so ".jpg" is added.
void exportPicture(Widget *window, const QString &caption, const QString &failure,
                   const std::function<bool(const QString &)> &save)
{
    QString fileName = QFileDialog::getSaveFileName(window, caption, QStringLiteral("."),
                                                    QStringLiteral("JPG File(*.jpg)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".jpg");
    if (!save(fileName))
        QMessageBox::warning(window, QString(), failure);
}
}

void Widget::on_actionExport_triggered()
{
    // The histogram and the chart compose their pictures when they paint:
    // show every page once so that both pictures exist and are up to date.
    const auto showEveryPage = [this] {
        const int current = ui->tabWidget->currentIndex();
        for (int page = 0; page < ui->tabWidget->count(); ++page) {
            ui->tabWidget->setCurrentIndex(page);
            delay(10);
        }
        ui->tabWidget->setCurrentIndex(current);
    };

    dlgExport dialog;
    dialog.setSceneFile(sceneFileName);
    const int result = dialog.exec();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (result == QDialog::Accepted) {
        switch (dialog.exportType()) {
        case 0:
            exportExcel();
            break;
        case 1:
            showEveryPage();
            exportPicture(this, tr("Export the histogram to a picture."), tr("The datas is exported failed."),
                          [this](const QString &file) { return histogram->savePicture(file); });
            break;
        case 2:
            showEveryPage();
            exportPicture(this, tr("Export the chart to a picture."), tr("The datas is exported failed."),
                          [this](const QString &file) { return ui->chart->savePicture(file); });
            break;
        case 3:
            showEveryPage();
            if (QFileInfo::exists(dialog.sceneFile()))
                sceneFileName = dialog.sceneFile();
            exportPdf(dialog.sceneFile());
            break;
        default:
            break;
        }
    }
    QGuiApplication::restoreOverrideCursor();
}

void Widget::delay(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}
