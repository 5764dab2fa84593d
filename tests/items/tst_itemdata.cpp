#include "device/dmmdata.h"
#include "items/itemdata.h"
#include "support/testsupport.h"

#include <QRandomGenerator>

// Statistics of a measurement item.
class TestItemData : public QObject
{
    Q_OBJECT

    static QStringList texts(const ItemData &item)
    {
        const ItemStatistics *s = item.statistics();
        return {QString::number(s->count), s->average, s->minimum, s->maximum};
    }

    // The statistics as a recount of every reading gives them.
    static QStringList recount(const QList<DmmData *> &readings, const QString &unit)
    {
        const bool um = unit == "um";
        double sum = 0, minimum = 0, maximum = 0;
        if (!readings.isEmpty())
            minimum = maximum = um ? readings.first()->valueUm() : readings.first()->valueMil();
        int count = 0;
        for (const DmmData *reading : readings) {
            const double value = um ? reading->valueUm() : reading->valueMil();
            ++count;
            sum += value;
            minimum = value <= minimum ? value : minimum;
            maximum = value > maximum ? value : maximum;
        }
        const auto format = [um](double value) {
            if (value < 0)
                return QString("-OL");
            if (value > 1250)
                return QString(" OL");
            return QString::number(value, 'f', um ? 1 : 2);
        };
        return {QString::number(count), format(count ? sum / count : 0.0), format(minimum), format(maximum)};
    }

private slots:
    void statistics_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QList<double>>("micrometres");
        QTest::addColumn<QStringList>("expected"); // count, average, minimum, maximum

        QTest::newRow("10, 20, 30 um") << "um" << QList<double>{10, 20, 30} << QStringList{"3", "20.0", "10.0", "30.0"};
        QTest::newRow("the same in mil") << "mil" << QList<double>{10, 20, 30} << QStringList{"3", "0.79", "0.39", "1.18"};
        QTest::newRow("above 1250") << "um" << QList<double>{100, 1300} << QStringList{"2", "700.0", "100.0", " OL"};
        QTest::newRow("negative") << "um" << QList<double>{-5, 10} << QStringList{"2", "2.5", "-OL", "10.0"};
        QTest::newRow("exactly 1250 and 0") << "um" << QList<double>{1250, 0} << QStringList{"2", "625.0", "0.0", "1250.0"};
        QTest::newRow("limits not converted for mil") << "mil" << QList<double>{31750 + 25.4} << QStringList{"1", " OL", " OL", " OL"};
        QTest::newRow("empty, um") << "um" << QList<double>{} << QStringList{"0", "0.0", "0.0", "0.0"};
        QTest::newRow("empty, mil") << "mil" << QList<double>{} << QStringList{"0", "0.00", "0.00", "0.00"};
        QTest::newRow("unit in capitals reads mils") << "UM" << QList<double>{254} << QStringList{"1", "10.00", "10.00", "10.00"};
        QTest::newRow("empty unit reads mils") << "" << QList<double>{254} << QStringList{"1", "10.00", "10.00", "10.00"};
    }

    void statistics()
    {
        QFETCH(QString, unit);
        QFETCH(QList<double>, micrometres);
        QFETCH(QStringList, expected);

        ItemData item("Measure1", ItemData::MeasureData);
        item.setUnit(unit);
        for (double um : micrometres)
            item.appendData(makeReading(um), true);
        if (micrometres.isEmpty())
            item.updateStatistics();
        QCOMPARE(texts(item), expected);
    }

    void constructionAndClearGiveZero()
    {
        ItemData item("Measure1", ItemData::MeasureData);
        QCOMPARE(texts(item), QStringList({"0", "0", "0", "0"}));
        item.setUnit("um");
        item.appendData(makeReading(40), true);
        item.clearData();
        QCOMPARE(texts(item), QStringList({"0", "0", "0", "0"}));
        QVERIFY(item.dataList().isEmpty());
        item.appendData(makeReading(7), true);
        QCOMPARE(texts(item), QStringList({"1", "7.0", "7.0", "7.0"}));
    }

    void appendWithoutUpdateWaits()
    {
        ItemData item("Import1", ItemData::ImportData);
        item.setUnit("um");
        item.appendData(makeReading(10), false);
        item.appendData(makeReading(30), false);
        QCOMPARE(texts(item), QStringList({"0", "0", "0", "0"}));
        item.updateStatistics();
        QCOMPARE(texts(item), QStringList({"2", "20.0", "10.0", "30.0"}));
    }

    // Running totals give exactly what a recount of every reading gives, also
    // across a change of unit and with values outside the gauge's range.
    void runningTotalsMatchRecount()
    {
        QRandomGenerator random(2026);
        ItemData item("Measure1", ItemData::MeasureData);
        item.setUnit("um");
        for (int i = 0; i < 3000; ++i) {
            if (i == 1500)
                item.setUnit("mil");
            item.appendData(makeReading(random.generateDouble() * 1400 - 60), true);
            if (i % 97 == 0 || i == 2999)
                QCOMPARE(texts(item), recount(item.dataList(), item.unit()));
        }
    }

    void destructionDeletesReadings()
    {
        QPointer<DmmData> reading = makeReading(1);
        {
            ItemData item("Measure1", ItemData::MeasureData);
            item.appendData(reading, false);
        }
        QVERIFY(reading.isNull());
    }
};

MERIDO_TEST_MAIN(TestItemData)
#include "tst_itemdata.moc"
