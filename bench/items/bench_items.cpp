// Measurement items: appending with statistics, activating a large item, and
// the memory one recorded reading costs.
#include "app/widget.h"
#include "device/dmmdata.h"
#include "items/datamodel.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/benchreadings.h"
#include "support/benchutil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>

#include <malloc.h>

static QList<DmmData *> makeReadings(int n)
{
    QList<DmmData *> readings;
    readings.reserve(n);
    for (int i = 0; i < n; ++i)
        readings.append(benchReading(i));
    return readings;
}

// Milliseconds to append n readings one by one with the statistics updated.
// As from a gauge, each reading is appended soon after it was made: they are
// made in batches, outside the timing.
static double appendMs(int n)
{
    const int batch = 1000;
    ItemData item(QStringLiteral("Measure1"), ItemData::MeasureData);
    item.setUnit(QStringLiteral("um"));
    qint64 ns = 0;
    for (int done = 0; done < n; done += batch) {
        const QList<DmmData *> readings = makeReadings(qMin(batch, n - done));
        QElapsedTimer timer;
        timer.start();
        for (DmmData *reading : readings)
            item.appendData(reading, true);
        ns += timer.nsecsElapsed();
    }
    return ns / 1e6;
}

static size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

static void measureMemory()
{
    const int n = 200000;
    const size_t before = heapInUse();
    QList<DmmData *> readings = makeReadings(n);
    const size_t made = heapInUse();
    ItemData item(QStringLiteral("Measure1"), ItemData::MeasureData);
    item.setUnit(QStringLiteral("um"));
    for (DmmData *reading : readings)
        item.appendData(reading, true);
    DataModel model;
    model.setItem(&item);
    model.setDataList(item.dataList());
    const size_t withList = heapInUse();
    readings.clear(); // the list the readings were made in
    const size_t held = heapInUse();
    const double records = double(made - before - (withList - held)) / n;
    const double total = double(held - before) / n;
    printFigure("bytes_per_reading", total, "bytes", 0);
    printFigure("bytes_per_reading_bare_record", records, "bytes", 0);
    printFigure("bytes_per_reading_item_and_table", total - records, "bytes", 0);
    model.clearData();
}

static double activateMs(Widget &window, const QModelIndex &large, const QModelIndex &small)
{
    QVector<double> samples;
    for (int i = 0; i < 3; ++i) {
        QMetaObject::invokeMethod(&window, "itemSetToActive", Q_ARG(QModelIndex, small));
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        QMetaObject::invokeMethod(&window, "itemSetToActive", Q_ARG(QModelIndex, large));
        QApplication::processEvents();
        samples << timer.nsecsElapsed() / 1e6;
    }
    return median(samples);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    appendMs(10000); // warm-up
    const double ms10k = median({appendMs(10000), appendMs(10000), appendMs(10000)});
    const double ms1m = appendMs(1000000);
    printFigure("stats_append_1m_ms", ms1m, "ms");
    printFigure("stats_per_reading_ratio_1m_10k", (ms1m / 1e6) / (ms10k / 1e4), "x", 2);

    measureMemory();

    Widget window;
    window.show();
    QApplication::processEvents();
    auto *tree = window.findChild<QTreeView *>(QStringLiteral("tvItems"));
    const QModelIndex live = tree->model()->index(1, 0);
    const QModelIndex measure1 = tree->model()->index(0, 0, live);
    const QModelIndex store = tree->model()->index(0, 0);
    auto *item = measure1.data(TvItemModel::ItemDataRole).value<ItemData *>();
    for (DmmData *reading : makeReadings(1000000))
        item->appendData(reading, false);
    item->updateStatistics();
    printFigure("activate_1m_ms", activateMs(window, measure1, store), "ms");
    return 0;
}
