#include "charts/histogramlayout.h"
#include "charts/histogramrange.h"
#include "support/testsupport.h"

#include <QRectF>
#include <QSizeF>

#include <climits>

// Bar layout, count axis and class labels of the histogram, without painting.
class TestHistogramLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void barRectsOnA400PixelPlot();
    void classLabels_data();
    void classLabels();
};

void TestHistogramLayout::layout_data()
{
    QTest::addColumn<QSizeF>("plot");
    QTest::addColumn<QVector<int>>("counts");
    QTest::addColumn<int>("maxCount");
    QTest::addColumn<double>("countUnit");
    QTest::addColumn<int>("countStep");
    QTest::addColumn<QVector<int>>("barWidths");
    QTest::addColumn<int>("tickCount");

    const QVector<int> none(8, 0);
    const QVector<int> ones(8, 1);
    QTest::newRow("5 and 3 on 401 pixels")
        << QSizeF(401, 400) << QVector<int>{0, 5, 3, 0, 0, 0, 0, 0} << 5 << 80.0 << 1
        << QVector<int>{1, 400, 240, 1, 1, 1, 1, 1} << 6;
    QTest::newRow("no values") << QSizeF(401, 400) << none << 1 << 400.0 << 1 << ones << 2;
    QTest::newRow("no values, 51 pixels: ticks 0 and 1") << QSizeF(51, 400) << none << 1 << 50.0 << 1 << ones << 2;
    QTest::newRow("no values, 50 pixels: no ticks") << QSizeF(50, 400) << none << 1 << 49.0 << 2 << ones << 0;
    QTest::newRow("count unit 12: step 5")
        << QSizeF(121, 400) << QVector<int>{10, 0, 5} << 10 << 12.0 << 5 << QVector<int>{120, 1, 60} << 3;
    QTest::newRow("plot of one pixel") << QSizeF(1, 400) << QVector<int>{3, 1} << 3 << 0.0 << 1
                                       << QVector<int>{1, 1} << 0;
    QTest::newRow("no plot") << QSizeF(-20, -5) << QVector<int>{3} << 3 << -7.0 << 1 << QVector<int>{1} << 0;
    QTest::newRow("huge count on two pixels")
        << QSizeF(2, 400) << QVector<int>{2000000000} << 2000000000 << 5e-10 << INT_MAX << QVector<int>{1} << 2;
    QTest::newRow("no classes") << QSizeF(401, 400) << QVector<int>() << 1 << 400.0 << 1 << QVector<int>() << 2;
}

void TestHistogramLayout::layout()
{
    QFETCH(QSizeF, plot);
    QFETCH(QVector<int>, counts);
    QFETCH(QVector<int>, barWidths);
    QFETCH(int, tickCount);

    const HistogramLayout layout = HistogramLayout::compute(plot, counts);
    QTEST(layout.maxCount, "maxCount");
    QTEST(layout.countUnit, "countUnit");
    QTEST(layout.countStep, "countStep");
    QCOMPARE(layout.rowCount, counts.size());
    for (int m = 0; m < counts.size(); ++m)
        QCOMPARE(int(layout.barRect(m, counts.at(m)).width()), barWidths.at(m));
    QCOMPARE(layout.tickCount(plot.width()), tickCount);
    // The ticks stay on the plot: the last one at most at its right edge.
    if (tickCount > 0)
        QVERIFY(layout.tickX(tickCount - 1) <= plot.width());
}

void TestHistogramLayout::barRectsOnA400PixelPlot()
{
    const HistogramLayout layout = HistogramLayout::compute(QSizeF(401, 400), QVector<int>(8, 0));
    QCOMPARE(layout.rowHeight, 50.0);
    // Each bar takes 80 per cent of its row, a tenth free above and below.
    QCOMPARE(layout.barRect(0, 0), QRectF(0, -45, 1, 40));
    QCOMPARE(layout.barRect(7, 0), QRectF(0, -395, 1, 40));
    QCOMPARE(layout.tickX(0), -1);
    QCOMPARE(layout.tickX(1), 399);
}

void TestHistogramLayout::classLabels_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("bottom");
    QTest::addColumn<QString>("top");

    QTest::newRow("lowest row") << 0 << -1e308 << 0.0 << 1 << "-OL " << "";
    QTest::newRow("highest row") << 7 << 1250.0 << 1e308 << 1 << "" << "OL ";
    QTest::newRow("inner row") << 2 << 200.0 << 400.0 << 1 << "200.0x" << "400.0 ";
    QTest::newRow("two decimals") << 1 << 0.0 << 200.0 << 2 << "0.00x" << "200.00 ";
}

void TestHistogramLayout::classLabels()
{
    QFETCH(int, row);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, decimals);
    const ClassLabels labels = ::classLabels(HistogramRange{low, high}, row, 8, decimals);
    QTEST(labels.bottom, "bottom");
    QTEST(labels.top, "top");
}

MERIDO_TEST_MAIN(TestHistogramLayout)
#include "tst_histogramlayout.moc"
