// The download of a gauge memory over the serial line: the gauge emulator on
// a pseudo-terminal, the serial plug-in from this benchmark's Lib, the window
// shown with the Table tab current.
#include "app/widget.h"
#include "support/benchutil.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

static double downloadMs(int readings)
{
    QProcess emulator;
    emulator.start(QStringLiteral(GAUGE_EMULATOR),
                   {"--rate", "0", "--memory", QString::number(readings)});
    if (!emulator.waitForReadyRead(5000))
        qFatal("the gauge emulator gave no port");
    qputenv("MERIDO_SERIAL_PORT", emulator.readLine().trimmed());

    Widget window;
    window.show();
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(0);
    window.findChild<QAction *>(QStringLiteral("actionConnect"))->trigger();
    auto *tree = window.findChild<QTreeView *>(QStringLiteral("tvItems"));
    tree->setCurrentIndex(tree->model()->index(0, 0));
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QStringLiteral("actionItemDownload"))->trigger();
    QApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;
    const int rows = window.findChild<QTableView *>(QStringLiteral("tv"))->model()->rowCount();
    if (rows != readings)
        qFatal("downloaded %d readings of %d", rows, readings);
    window.findChild<QAction *>(QStringLiteral("actionDisconnect"))->trigger();
    emulator.terminate();
    emulator.waitForFinished(5000);
    return ms;
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const double ms10k = downloadMs(10000);
    const double ms100k = downloadMs(100000);
    printFigure("serial_download_10k_ms", ms10k, "ms");
    printFigure("serial_download_100k_ms", ms100k, "ms");
    printFigure("serial_download_per_reading_ratio_100k_10k", (ms100k / 1e5) / (ms10k / 1e4), "x", 2);
    return 0;
}
