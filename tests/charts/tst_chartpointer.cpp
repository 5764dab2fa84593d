#include "charts/chartpointer.h"
#include "charts/pointoffsets.h"
#include "support/testsupport.h"

#include <QPoint>

Q_DECLARE_METATYPE(PointOffsets)

// Hit testing and zoom selections of the trend chart, without a widget.
class TestChartPointer : public QObject
{
    Q_OBJECT

private slots:
    void indexAtX_data();
    void indexAtX();
    void selection_data();
    void selection();
};

void TestChartPointer::indexAtX_data()
{
    QTest::addColumn<PointOffsets>("pointX");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("index");

    // Plot 20 pixels wide.
    const PointOffsets two{2, 10};
    QTest::newRow("tie goes to the earlier point") << two << 5 << 0;
    QTest::newRow("nearer to the later point") << two << 6 << 1;
    QTest::newRow("on a point") << two << 10 << 1;
    QTest::newRow("right of the last point") << two << 15 << 1;
    QTest::newRow("left of the plot") << two << -3 << 0;
    QTest::newRow("right of the plot") << two << 25 << 1;
    // Half a pixel per point: offsets 0, 1, 1, 2, 2.
    QTest::newRow("shared offsets: the first of them") << PointOffsets{5, 0.5} << 1 << 1;
    QTest::newRow("between shared offsets") << PointOffsets{5, 0.5} << 2 << 3;
    QTest::newRow("no points") << PointOffsets() << 4 << -1;
    QTest::newRow("no points, left of the plot") << PointOffsets() << -4 << -1;
}

void TestChartPointer::indexAtX()
{
    QFETCH(PointOffsets, pointX);
    QFETCH(int, x);
    QTEST(::indexAtX(pointX, x, 20), "index");
}

void TestChartPointer::selection_data()
{
    QTest::addColumn<PointOffsets>("pointX");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");

    const PointOffsets ten{10, 10}; // 0, 10, ... 90
    const int zoom = ZoomSelection::Zoom;
    const int showAll = ZoomSelection::ShowAll;
    const int keep = ZoomSelection::Keep;
    QTest::newRow("lower right") << ten << QPoint(15, 5) << QPoint(55, 50) << zoom << 2 << 5;
    QTest::newRow("lower right past the last point") << ten << QPoint(65, 5) << QPoint(100, 50) << zoom << 7 << 9;
    QTest::newRow("lower right on the first point") << ten << QPoint(0, 5) << QPoint(5, 50) << zoom << 0 << 1;
    QTest::newRow("lower right over one point") << ten << QPoint(42, 5) << QPoint(55, 50) << keep << 0 << -1;
    QTest::newRow("lower right with one point") << PointOffsets{1, 300} << QPoint(0, 0) << QPoint(9, 9) << keep << 0 << -1;
    QTest::newRow("lower right with no points") << PointOffsets() << QPoint(0, 0) << QPoint(9, 9) << keep << 0 << -1;
    QTest::newRow("upper left") << ten << QPoint(55, 50) << QPoint(15, 5) << showAll << 0 << -1;
    QTest::newRow("lower left") << ten << QPoint(55, 5) << QPoint(15, 50) << showAll << 0 << -1;
    QTest::newRow("upper right") << ten << QPoint(15, 50) << QPoint(55, 5) << showAll << 0 << -1;
    QTest::newRow("straight down") << ten << QPoint(15, 5) << QPoint(15, 50) << showAll << 0 << -1;
    QTest::newRow("click without a drag") << ten << QPoint(15, 5) << QPoint(15, 5) << keep << 0 << -1;
}

void TestChartPointer::selection()
{
    QFETCH(PointOffsets, pointX);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    const ZoomSelection selection = resolveSelection(pointX, start, end);
    QTEST(int(selection.action), "action");
    if (selection.action == ZoomSelection::Zoom) {
        QTEST(selection.first, "first");
        QTEST(selection.last, "last");
    }
}

MERIDO_TEST_MAIN(TestChartPointer)
#include "tst_chartpointer.moc"
