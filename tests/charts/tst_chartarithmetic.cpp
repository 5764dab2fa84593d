#include "charts/chartline.h"
#include "charts/chartpoint.h"
#include "charts/chartscale.h"
#include "charts/chartticks.h"
#include "support/testsupport.h"

#include <QRect>

// Scaling, point offsets and tick choice of the trend chart, without painting.
class TestChartArithmetic : public QObject
{
    Q_OBJECT

private slots:
    void scale_data();
    void scale();
    void rangeCoversOnlyTheView();
    void pointOffsetsAndColumns();
    void pointStep_data();
    void pointStep();
    void valueStep_data();
    void valueStep();
    void valueLabel_data();
    void valueLabel();
    void ticks_data();
    void ticks();
};

namespace {

ChartLine *lineOf(const QList<double> &values)
{
    auto *line = new ChartLine(Qt::red);
    for (double value : values)
        line->append(new ChartPoint(value, QDateTime(), QVariant()));
    return line;
}

QVector<int> offsets(const PointOffsets &pointX)
{
    QVector<int> result;
    for (int k = 0; k < pointX.size(); ++k)
        result.append(pointX.at(k));
    return result;
}

ChartScale scaleFor(ChartLine &line, const QRect &plot)
{
    const int last = line.points.size() - 1;
    line.computeRange(0, last);
    const ChartScale scale = ChartScale::fit(plot, line.minValue, line.maxValue, last + 1);
    line.computePointX(0, last, scale);
    return scale;
}

} // namespace

void TestChartArithmetic::scale_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("yMin");
    QTest::addColumn<double>("yMax");
    QTest::addColumn<double>("xStep");
    QTest::addColumn<QVector<int>>("pointX");

    // Plot 400 x 220.
    QTest::newRow("empty") << QList<double>() << -1.1 << 1.1 << 0.0 << QVector<int>();
    QTest::newRow("one point of 50") << QList<double>{50} << -1.1 << 55.0 << 400.0 << QVector<int>{0};
    QTest::newRow("all negative") << QList<double>{-10, -50, -3} << -55.0 << 1.1 << 400.0 / 3
                                  << QVector<int>{0, 133, 267};
    QTest::newRow("both signs") << QList<double>{-20, 0, 100} << -22.0 << 110.0 << 400.0 / 3
                                << QVector<int>{0, 133, 267};
}

void TestChartArithmetic::scale()
{
    QFETCH(QList<double>, values);
    QScopedPointer<ChartLine> line(lineOf(values));
    const QRect plot(70, 40, 400, 220);
    const ChartScale scale = scaleFor(*line, plot);

    QTEST(scale.yMin, "yMin");
    QTEST(scale.yMax, "yMax");
    QTEST(scale.xStep, "xStep");
    QCOMPARE(scale.yScale, 220 / (scale.yMax - scale.yMin));
    QTEST(offsets(line->pointX), "pointX");
    // 0 always lies inside the value axis.
    const int y0 = scale.zeroRow(plot);
    QVERIFY(y0 >= plot.top() && y0 <= plot.bottom() + 1);
}

void TestChartArithmetic::rangeCoversOnlyTheView()
{
    QScopedPointer<ChartLine> line(lineOf({500, 20, 30, -5, 900}));
    line->computeRange(1, 3);
    QCOMPARE(line->minValue, -5.0);
    QCOMPARE(line->maxValue, 30.0);

    // A view reaching beyond the points reads only the points there are.
    line->computeRange(3, 10);
    QCOMPARE(line->minValue, -5.0);
    QCOMPARE(line->maxValue, 900.0);
}

void TestChartArithmetic::pointOffsetsAndColumns()
{
    // Three points on 10 pixels: the offsets are rounded, the curve's columns
    // truncated, so the two differ by one pixel at the third point.
    QScopedPointer<ChartLine> line(lineOf({1, 2, 3}));
    const QRect plot(50, 0, 10, 100);
    const ChartScale scale = scaleFor(*line, plot);
    QCOMPARE(offsets(line->pointX), (QVector<int>{0, 3, 7}));
    QCOMPARE(scale.columnOf(plot, 2), 56);

    // A value is drawn yScale pixels per unit above the zero line.
    const int y0 = scale.zeroRow(plot);
    QCOMPARE(y0, int(plot.top() + scale.yScale * scale.yMax));
    QCOMPARE(scale.rowOf(y0, 2), int(y0 - scale.yScale * 2));
    // Absurd values still give a coordinate (saturated, never undefined).
    QVERIFY(scale.rowOf(y0, qInf()) < -1000000);
    QVERIFY(scale.rowOf(y0, qQNaN()) < -1000000);
}

void TestChartArithmetic::pointStep_data()
{
    QTest::addColumn<double>("pixelsPerPoint");
    QTest::addColumn<int>("step");

    QTest::newRow("1000 points on 500 pixels") << 0.5 << 200;
    QTest::newRow("one point reaches 80") << 80.0 << 1;
    QTest::newRow("40 is the last small step") << 2.0 << 40;
    QTest::newRow("first multiple of 50 past 40") << 1.5 << 100;
    QTest::newRow("exactly 80 at 50") << 1.6 << 50;
    QTest::newRow("tiny scale jumps ahead") << 1.0 / 1048576 << 83886100;
    QTest::newRow("too small for an int") << 1e-9 << 0;
    QTest::newRow("zero width") << 0.0 << 0;
    QTest::newRow("negative width") << -2.0 << 0;
    QTest::newRow("NaN") << qQNaN() << 0;
}

void TestChartArithmetic::pointStep()
{
    QFETCH(double, pixelsPerPoint);
    QTEST(pickPointStep(pixelsPerPoint, 80), "step");
}

void TestChartArithmetic::valueStep_data()
{
    QTest::addColumn<double>("pixelsPerUnit");
    QTest::addColumn<double>("step");

    QTest::newRow("100 pixels per unit") << 100.0 << 0.3;
    QTest::newRow("0.8 follows 0.5") << 40.0 << 0.8;
    QTest::newRow("1 follows 0.8") << 30.0 << 1.0;
    QTest::newRow("smallest step") << 1e7 << 0.00001;
    QTest::newRow("multiple of 50") << 0.01 << 3000.0;
    QTest::newRow("huge values") << 1e-300 << 3e301;
    QTest::newRow("zero height") << 0.0 << 0.0;
    QTest::newRow("negative height") << -3.0 << 0.0;
}

void TestChartArithmetic::valueStep()
{
    QFETCH(double, pixelsPerUnit);
    QFETCH(double, step);
    QCOMPARE(pickValueStep(pixelsPerUnit, 30), step);
}

void TestChartArithmetic::valueLabel_data()
{
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("belowZero");
    QTest::addColumn<QString>("label");

    QTest::newRow("plain") << 999.0 << 1 << false << "999.0";
    QTest::newRow("1000 is 1.0k") << 1000.0 << 1 << false << "1.0k";
    QTest::newRow("1500") << 1500.0 << 1 << false << "1.5k";
    QTest::newRow("2000000") << 2000000.0 << 1 << false << "2.0M";
    QTest::newRow("below zero") << 1500.0 << 1 << true << "-1.5k";
    QTest::newRow("two decimals") << 0.3 << 2 << true << "-0.30";
}

void TestChartArithmetic::valueLabel()
{
    QFETCH(double, magnitude);
    QFETCH(int, decimals);
    QFETCH(bool, belowZero);
    QTEST(::valueLabel(magnitude, decimals, belowZero), "label");
}

void TestChartArithmetic::ticks_data()
{
    QTest::addColumn<QRect>("plot");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("xTickPoints");
    QTest::addColumn<int>("xTickCount");
    QTest::addColumn<int>("yTickCountUp");
    QTest::addColumn<int>("yTickCountDown");

    // Values -10 .. 100 on 242 pixels: 2 pixels per unit, a tick every 20.
    QTest::newRow("1000 points on 500 pixels") << QRect(0, 0, 500, 242) << 1000 << 200 << 5 << 5 << 0;
    QTest::newRow("no points") << QRect(0, 0, 500, 242) << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("no width") << QRect(0, 0, 0, 242) << 1000 << 0 << 0 << 5 << 0;
    QTest::newRow("negative size") << QRect(0, 0, -30, -40) << 1000 << 0 << 0 << 0 << 0;
}

void TestChartArithmetic::ticks()
{
    QFETCH(QRect, plot);
    QFETCH(int, points);
    ChartScale scale = ChartScale::fit(plot, -10, 100, points);
    ChartTicks ticks;
    ticks.compute(scale, plot, points > 0);
    QTEST(ticks.xTickCount, "xTickCount");
    if (ticks.xTickCount > 0)
        QTEST(ticks.xTickPoints, "xTickPoints");
    QTEST(ticks.yTickCountUp, "yTickCountUp");
    QTEST(ticks.yTickCountDown, "yTickCountDown");
}

MERIDO_TEST_MAIN(TestChartArithmetic)
#include "tst_chartarithmetic.moc"
