#include "app/widget.h"
#include "charts/chartline.h"
#include "charts/chartpoint.h"
#include "charts/dmmchart.h"
#include "charts/histogram.h"
#include "charts/histogrambin.h"
#include "device/dmmdata.h"
#include "items/itemdata.h"
#include "support/testsupport.h"
#include "support/windowdriver.h"

#include <QTableView>

// Live readings from the fake gauge into the active item and its views.
class TestLiveReadings : public QObject
{
    Q_OBJECT

    QObject *gauge = nullptr;
    WindowDriver w;

    ItemData *measure1() { return w.item(w.node(1, 0)); }
    DMMChart *chart() { return w.window->findChild<DMMChart *>("chart"); }
    Histogram *histogram() { return w.window->findChild<Histogram *>("Histogram1"); }
    QStringList chartValues()
    {
        QStringList values;
        for (double value : chart()->line(0)->values)
            values << QString::number(value, 'f', 2);
        return values;
    }
    QStringList chartLabels()
    {
        QStringList labels;
        for (const ChartPoint *point : chart()->line(0)->points)
            labels << point->label.toString();
        return labels;
    }
    void send(DmmData *reading) { QVERIFY(QMetaObject::invokeMethod(gauge, "display", Q_ARG(const DmmData *, reading))); }

private slots:
    void initTestCase()
    {
        gauge = fakeGauge();
        QVERIFY(gauge);
    }

    void init()
    {
        w.openConnected();
    }

    void cleanup() { delete w.window; }

    void notRecordingDeletesUnseen()
    {
        QPointer<DmmData> reading = makeReading(120);
        send(reading);
        QVERIFY(reading.isNull());
        QCOMPARE(w.table()->rowCount(), 0);
        QCOMPARE(w.label("lcdValue"), QString("00000"));
        QCOMPARE(w.label("lcdNum"), QString("Num:0"));
        QVERIFY(measure1()->dataList().isEmpty());
    }

    void recordedEverywhere()
    {
        w.trigger("actionStart");
        send(makeReading(120, "um", "Fe"));
        send(makeReading(130, "um", "NFe"));
        QCOMPARE(measure1()->dataList().size(), 2);
        QCOMPARE(w.column(2), QStringList({"120", "130"}));
        QCOMPARE(w.label("lcdValue"), QString("130"));
        QCOMPARE(w.label("lcdUnit"), QString("um"));
        QCOMPARE(w.label("lcdBasis"), QString("NFe"));
        QCOMPARE(w.label("lcdNum"), QString("Num:2"));
        QCOMPARE(w.label("lcdAvg"), QString("Avg:125.0"));
        QCOMPARE(histogram()->valueCount(), 2);
        QCOMPARE(histogram()->bin(1)->members.size(), 2); // 0 < v <= 200
        QCOMPARE(chartLabels(), QStringList({"120um Fe", "130um NFe"}));
        QCOMPARE(chart()->line(0)->values, QVector<double>({120, 130}));

        // The table shows the last row once control is back in the event loop.
        auto *tv = w.window->findChild<QTableView *>("tv");
        for (int i = 0; i < 200; ++i)
            send(makeReading(100 + i));
        QCoreApplication::processEvents();
        const QRect lastRow = tv->visualRect(w.table()->index(w.table()->rowCount() - 1, 0));
        QVERIFY(tv->viewport()->rect().contains(lastRow));

        w.trigger("actionStop");
        QPointer<DmmData> late = makeReading(99);
        send(late);
        QVERIFY(late.isNull());
        QCOMPARE(measure1()->dataList().size(), 202);
    }

    void unitSwitchReloadsInMils()
    {
        w.trigger("actionStart");
        send(makeReading(254, "um"));
        send(makeReading(508, "mil"));
        QCOMPARE(measure1()->unit(), QString("mil"));
        QCOMPARE(w.column(2), QStringList({"10.00", "20.00"}));
        QCOMPARE(w.column(3), QStringList({"mil", "mil"}));
        QCOMPARE(w.label("lcdUnit"), QString("mil"));
        QCOMPARE(w.label("lcdValue"), QString("20.00"));
        QCOMPARE(w.label("lcdAvg"), QString("Avg:15.00"));
        for (const QString &title : {histogram()->yAxisTitle(), chart()->yAxisTitle()})
            QCOMPARE(title, QString("Thickness(mil)"));
        QCOMPARE(histogram()->valueDecimals(), 2);
        QCOMPARE(chart()->valueDecimals(), 2);
        // The earlier reading was reloaded in mils, without a label; the new
        // one was appended after the reload.
        QCOMPARE(chartValues(), QStringList({"10.00", "20.00"}));
        QCOMPARE(chartLabels(), QStringList({"", "20.00mil Fe"}));
        QCOMPARE(histogram()->valueCount(), 2);

        // An empty unit is not "um": mils, and the item takes the empty unit.
        send(makeReading(762, ""));
        QCOMPARE(measure1()->unit(), QString());
        QCOMPARE(w.column(2).last(), QString("30.00"));
    }

    void onlyMeasurementItemsRecord()
    {
        w.trigger("actionStart");
        w.activate(w.node(0));
        QMetaObject::invokeMethod(w.window, "on_actionStart_triggered"); // refused for "Store Data"
        QPointer<DmmData> reading = makeReading(50);
        send(reading);
        QVERIFY(reading.isNull());
        QCOMPARE(w.table()->rowCount(), 0);
    }

    // "UM" counts as micrometres for the titles, but only "um" selects the
    // micrometre values, which the reload then shows with mil decimals.
    void unitInCapitals()
    {
        w.trigger("actionStart");
        send(makeReading(254, "UM"));
        QCOMPARE(chart()->yAxisTitle(), QString("Thickness(um)"));
        QCOMPARE(chart()->valueDecimals(), 2);
        QCOMPARE(w.column(2), QStringList({"10.00"}));
        QCOMPARE(w.label("lcdValue"), QString("10.00"));
    }

    void testActionFeedsOnlyTheHistogram()
    {
        w.trigger("actionTest");
        w.trigger("actionTest");
        QTRY_VERIFY_WITH_TIMEOUT(histogram()->valueCount() >= 2, 2000);
        QCOMPARE(histogram()->valueCount() % 2, 0); // two timers, one value each
        for (int row = 0; row < 8; ++row)
            for (double value : histogram()->bin(row)->members)
                QVERIFY(value >= 0 && value < 2000 && value == int(value));
        QCOMPARE(w.table()->rowCount(), 0);
        QVERIFY(measure1()->dataList().isEmpty());
        QCOMPARE(w.label("lcdNum"), QString("Num:0"));
    }

    void nullRecordIgnored()
    {
        w.trigger("actionStart");
        send(nullptr);
        QCOMPARE(w.table()->rowCount(), 0);
        QCOMPARE(w.label("lcdNum"), QString("Num:0"));
    }
};

MERIDO_TEST_MAIN(TestLiveReadings)
#include "tst_livereadings.moc"
