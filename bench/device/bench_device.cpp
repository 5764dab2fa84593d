// The download of the simulated gauge's memory into the window, and the
// handling of one live reading when the active item is already large.
#include "app/widget.h"
#include "device/dmmdata.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/benchreadings.h"
#include "support/benchutil.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

namespace {
const int tableTab = 0;
const int chartTab = 2;

QAction *action(Widget &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

// From the Download command until the dialog has closed and the table shows
// the last reading.
double downloadMs(Widget &window, int readings, int tab)
{
    qputenv("MERIDO_SIM_MEMORY", QByteArray::number(readings));
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(tab);
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    action(window, "actionItemDownload")->trigger();
    QApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;
    const int rows = window.findChild<QTableView *>(QStringLiteral("tv"))->model()->rowCount();
    if (rows != readings)
        qFatal("downloaded %d readings of %d", rows, readings);
    return ms;
}

// Median microseconds of slotDmmDisplay with the item already holding
// `held` readings; the window repaints between readings, as Qt coalesces it.
double liveReadingUs(Widget &window, int held)
{
    auto *tree = window.findChild<QTreeView *>(QStringLiteral("tvItems"));
    const QModelIndex measure1 = tree->model()->index(0, 0, tree->model()->index(1, 0));
    auto *item = measure1.data(TvItemModel::ItemDataRole).value<ItemData *>();
    QMetaObject::invokeMethod(&window, "itemSetToActive", Q_ARG(QModelIndex, tree->model()->index(0, 0)));
    for (int i = 0; i < held; ++i)
        item->appendData(benchReading(i), false);
    item->updateStatistics();
    QMetaObject::invokeMethod(&window, "itemSetToActive", Q_ARG(QModelIndex, measure1));
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(chartTab);
    action(window, "actionStart")->trigger();
    QApplication::processEvents();

    QVector<double> samples;
    for (int i = 0; i < 2000; ++i) {
        DmmData *data = benchReading(held + i);
        QElapsedTimer timer;
        timer.start();
        QMetaObject::invokeMethod(&window, "slotDmmDisplay", Q_ARG(const DmmData *, data));
        samples << timer.nsecsElapsed() / 1e3;
        if (i % 20 == 0)
            QApplication::processEvents();
    }
    action(window, "actionStop")->trigger();
    return median(samples);
}
}

int main(int argc, char *argv[])
{
    // A gauge that sends no live readings of its own during the measurement.
    qputenv("MERIDO_SIM_INTERVAL_MS", "100000000");
    QApplication app(argc, argv);
    Widget window;
    window.show();
    QApplication::processEvents();
    action(window, "actionConnect")->trigger();

    downloadMs(window, 1000, tableTab); // warm-up
    const double table10k = downloadMs(window, 10000, tableTab);
    const double table100k = downloadMs(window, 100000, tableTab);
    const double chart10k = downloadMs(window, 10000, chartTab);
    const double chart100k = downloadMs(window, 100000, chartTab);
    printFigure("download_10k_table_ms", table10k, "ms");
    printFigure("download_100k_table_ms", table100k, "ms");
    printFigure("download_10k_chart_ms", chart10k, "ms");
    printFigure("download_100k_chart_ms", chart100k, "ms");
    printFigure("download_per_reading_ratio_100k_10k_table", (table100k / 1e5) / (table10k / 1e4), "x", 2);
    printFigure("download_per_reading_ratio_100k_10k_chart", (chart100k / 1e5) / (chart10k / 1e4), "x", 2);
    printFigure("live_reading_us_at_100k", liveReadingUs(window, 100000), "us");
    return 0;
}
