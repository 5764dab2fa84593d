#include "app/widget.h"
#include "device/dmmdata.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/testsupport.h"

#include <QAction>
#include <QLabel>
#include <QPluginLoader>
#include <QTableView>
#include <QTreeView>

// Live readings from the fake gauge into the active item and its views.
class TestLiveReadings : public QObject
{
    Q_OBJECT

    QObject *gauge = nullptr;
    Widget *window = nullptr;

    QAbstractItemModel *table() { return window->findChild<QTableView *>("tv")->model(); }
    QString label(const char *name) { return window->findChild<QLabel *>(name)->text(); }
    ItemData *measure1()
    {
        auto *tree = window->findChild<QTreeView *>("tvItems");
        return tree->model()->index(0, 0, tree->model()->index(1, 0)).data(TvItemModel::ItemDataRole).value<ItemData *>();
    }
    void send(DmmData *reading) { QVERIFY(QMetaObject::invokeMethod(gauge, "display", Q_ARG(const DmmData *, reading))); }
    QStringList column(int c)
    {
        QStringList cells;
        for (int r = 0; r < table()->rowCount(); ++r)
            cells << table()->index(r, c).data().toString();
        return cells;
    }

private slots:
    void initTestCase()
    {
        gauge = QPluginLoader(testBinDir() + "/Lib/libfakegauge.so").instance();
        QVERIFY(gauge);
    }

    void init()
    {
        gauge->setProperty("gaugeOpen", false);
        window = new Widget;
        window->show();
        window->findChild<QAction *>("actionConnect")->trigger();
    }

    void cleanup() { delete window; }

    void notRecordingDeletesUnseen()
    {
        QPointer<DmmData> reading = makeReading(120);
        send(reading);
        QVERIFY(reading.isNull());
        QCOMPARE(table()->rowCount(), 0);
        QCOMPARE(label("lcdValue"), QString("00000"));
        QCOMPARE(label("lcdNum"), QString("Num:0"));
        QVERIFY(measure1()->dataList().isEmpty());
    }

    void recordedEverywhere()
    {
        window->findChild<QAction *>("actionStart")->trigger();
        send(makeReading(120, "um", "Fe"));
        send(makeReading(130, "um", "NFe"));
        QCOMPARE(measure1()->dataList().size(), 2);
        QCOMPARE(column(2), QStringList({"120", "130"}));
        QCOMPARE(label("lcdValue"), QString("130"));
        QCOMPARE(label("lcdUnit"), QString("um"));
        QCOMPARE(label("lcdBasis"), QString("NFe"));
        QCOMPARE(label("lcdNum"), QString("Num:2"));
        QCOMPARE(label("lcdAvg"), QString("Avg:125.0"));

        // The table shows the last row once control is back in the event loop.
        auto *tv = window->findChild<QTableView *>("tv");
        for (int i = 0; i < 200; ++i)
            send(makeReading(100 + i));
        QCoreApplication::processEvents();
        const QRect lastRow = tv->visualRect(table()->index(table()->rowCount() - 1, 0));
        QVERIFY(tv->viewport()->rect().contains(lastRow));

        window->findChild<QAction *>("actionStop")->trigger();
        QPointer<DmmData> late = makeReading(99);
        send(late);
        QVERIFY(late.isNull());
        QCOMPARE(measure1()->dataList().size(), 202);
    }

    void unitSwitchReloadsInMils()
    {
        window->findChild<QAction *>("actionStart")->trigger();
        send(makeReading(254, "um"));
        send(makeReading(508, "mil"));
        QCOMPARE(measure1()->unit(), QString("mil"));
        QCOMPARE(column(2), QStringList({"10.00", "20.00"}));
        QCOMPARE(column(3), QStringList({"mil", "mil"}));
        QCOMPARE(label("lcdUnit"), QString("mil"));
        QCOMPARE(label("lcdValue"), QString("20.00"));
        QCOMPARE(label("lcdAvg"), QString("Avg:15.00"));

        // An empty unit is not "um": mils, and the item takes the empty unit.
        send(makeReading(762, ""));
        QCOMPARE(measure1()->unit(), QString());
        QCOMPARE(column(2).last(), QString("30.00"));
    }

    void onlyMeasurementItemsRecord()
    {
        window->findChild<QAction *>("actionStart")->trigger();
        auto *tree = window->findChild<QTreeView *>("tvItems");
        QMetaObject::invokeMethod(window, "itemSetToActive", Q_ARG(QModelIndex, tree->model()->index(0, 0)));
        QMetaObject::invokeMethod(window, "on_actionStart_triggered"); // refused for "Store Data"
        QPointer<DmmData> reading = makeReading(50);
        send(reading);
        QVERIFY(reading.isNull());
        QCOMPARE(table()->rowCount(), 0);
    }

    void nullRecordIgnored()
    {
        window->findChild<QAction *>("actionStart")->trigger();
        send(nullptr);
        QCOMPARE(table()->rowCount(), 0);
        QCOMPARE(label("lcdNum"), QString("Num:0"));
    }
};

MERIDO_TEST_MAIN(TestLiveReadings)
#include "tst_livereadings.moc"
