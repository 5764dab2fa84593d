#include "charts/chartpoint.h"
#include "charts/dmmchart.h"
#include "charts/pointoffsets.h"
#include "support/testsupport.h"

#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

// The trend chart widget: what its layers show, and its answers to the mouse.
class TestDMMChart : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void emptyChartShowsAxesAndZeroLine();
    void curveIsDrawnAtItsValues();
    void hoverShowsIndicatorUntilTimeout();
    void indicatorFollowsShorterReload();
    void dragZoomsAndShowsAllAgain();
    void appendWhileZoomedWaitsForTheZoomToEnd();
    void plainClickKeepsTheView();
    void pressAfterHoverShowsNoOldSelection();
    void reloadWhileZoomedShowsTheNewPoints();
    void clearDuringDragStaysInsideThePoints();
    void tinySizesDoNotHang_data();
    void tinySizesDoNotHang();
    void savePicture();

private:
    void show(int points, const QSize &size = QSize(460, 300));
    void append(int count, int line = 0);
    QImage paintedImage();
    QPoint widgetPos(const QPoint &plotPos) const { return chart->plotArea().topLeft() + plotPos; }
    void mouse(QEvent::Type type, const QPoint &plotPos, Qt::MouseButton button, Qt::MouseButtons buttons);
    void drag(const QPoint &from, const QPoint &to);
    void hover(const QPoint &plotPos) { mouse(QEvent::MouseMove, plotPos, Qt::NoButton, Qt::NoButton); }
    // "all 0..9" or "zoomed 2..5": whether zoomed, and the points on view.
    QString view() const;

    DMMChart *chart = nullptr;
    const QDateTime start = QDateTime(QDate(2024, 5, 2), QTime(10, 0));
};

namespace {

const QColor curveColor = QColor::fromRgba(0xfffa9600);
const QColor indicatorColor(0, 100, 250);

bool isDark(const QColor &color)
{
    return color.lightness() < 100;
}

} // namespace

void TestDMMChart::init()
{
    chart = new DMMChart;
}

void TestDMMChart::cleanup()
{
    delete chart;
    chart = nullptr;
}

void TestDMMChart::append(int count, int line)
{
    QList<ChartPoint *> points;
    for (int i = 0; i < count; ++i)
        points.append(new ChartPoint(100, start.addSecs(i), QStringLiteral("%1um").arg(i)));
    chart->appendPoints(points, line);
}

// A shown chart (default margins: plot at (60, 40), 380 x 220) with points of value 100.
void TestDMMChart::show(int points, const QSize &size)
{
    chart->resize(size);
    append(points);
    chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(chart));
}

QImage TestDMMChart::paintedImage()
{
    chart->repaint();
    return chart->picture().toImage();
}

void TestDMMChart::mouse(QEvent::Type type, const QPoint &plotPos, Qt::MouseButton button,
                         Qt::MouseButtons buttons)
{
    const QPoint pos = widgetPos(plotPos);
    QMouseEvent event(type, pos, chart->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(chart, &event);
}

QString TestDMMChart::view() const
{
    return QStringLiteral("%1 %2..%3")
        .arg(chart->isZoomed() ? QStringLiteral("zoomed") : QStringLiteral("all"))
        .arg(chart->viewFirst())
        .arg(chart->viewLast());
}

void TestDMMChart::drag(const QPoint &from, const QPoint &to)
{
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    chart->repaint();
}

void TestDMMChart::emptyChartShowsAxesAndZeroLine()
{
    show(0);
    const QImage image = paintedImage();
    const QRect plot = chart->plotArea();
    QCOMPARE(plot, QRect(60, 40, 380, 220));

    QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
    // Time axis under the plot, value axis left of it.
    for (int x = plot.left() - 1; x <= plot.right() + 1; x += 20)
        QVERIFY2(isDark(image.pixelColor(x, plot.bottom() + 1)), qPrintable(QString::number(x)));
    for (int y = plot.top() - 1; y <= plot.bottom() + 1; y += 20)
        QVERIFY2(isDark(image.pixelColor(plot.left() - 1, y)), qPrintable(QString::number(y)));
    // The dotted zero line halves the plot (-1.1 .. 1.1) and is ticked.
    const int zeroRow = plot.top() + 110;
    QCOMPARE(chart->currentScale().zeroRow(plot), zeroRow);
    int dark = 0;
    for (int x = plot.left() + 1; x < plot.right(); ++x)
        dark += isDark(image.pixelColor(x, zeroRow));
    QVERIFY2(dark > plot.width() / 4 && dark < plot.width() * 2 / 3, qPrintable(QString::number(dark)));
    QVERIFY(isDark(image.pixelColor(plot.left() - 5, zeroRow)));
    QCOMPARE(chart->currentTicks().xTickCount, 0);
}

void TestDMMChart::curveIsDrawnAtItsValues()
{
    show(5);
    const QImage image = paintedImage();
    const QRect plot = chart->plotArea();
    const ChartScale &scale = chart->currentScale();
    const int row = scale.rowOf(scale.zeroRow(plot), 100);
    // Five points of 100: a flat curve from the first point's column to the last one's.
    QCOMPARE(image.pixelColor(scale.columnOf(plot, 0), row), curveColor);
    QCOMPARE(image.pixelColor(scale.columnOf(plot, 3) + 10, row), curveColor);
    QVERIFY(image.pixelColor(scale.columnOf(plot, 4) + 10, row) != curveColor);
    QVERIFY(image.pixelColor(scale.columnOf(plot, 2), row - 3) != curveColor);
}

void TestDMMChart::hoverShowsIndicatorUntilTimeout()
{
    show(10);
    paintedImage();
    const int x = chart->plotArea().left() + 3 * 38; // point 3 at 38 pixels per point
    const int y = chart->plotArea().top() + 100;
    QVERIFY(chart->picture().toImage().pixelColor(x, y) != indicatorColor);

    hover(QPoint(3 * 38 + 10, 20));
    QCOMPARE(paintedImage().pixelColor(x, y), indicatorColor);

    chart->slotTmrIndicatorTimeout();
    QVERIFY(paintedImage().pixelColor(x, y) != indicatorColor);
}

void TestDMMChart::indicatorFollowsShorterReload()
{
    show(10);
    paintedImage();
    hover(QPoint(1000, 20)); // right of the plot: the last point
    QCOMPARE(paintedImage().pixelColor(chart->plotArea().left() + 9 * 38, 140), indicatorColor);

    // A shorter item: the indicator moves to its last point.
    chart->clearPoints();
    append(3);
    const QImage image = paintedImage();
    const int lastX = chart->plotArea().left() + PointOffsets{3, chart->currentScale().xStep}.at(2);
    QCOMPARE(image.pixelColor(lastX, 140), indicatorColor);
}

void TestDMMChart::dragZoomsAndShowsAllAgain()
{
    show(10);
    paintedImage();
    // Points every 38 pixels: the rectangle from 50 to 200 covers points 2 to 5.
    drag(QPoint(50, 10), QPoint(200, 100));
    QCOMPARE(view(), QStringLiteral("zoomed 2..5"));

    // A zoom while zoomed narrows the view further (4 points, 95 pixels apart).
    drag(QPoint(90, 10), QPoint(250, 100));
    QCOMPARE(view(), QStringLiteral("zoomed 3..4"));

    drag(QPoint(300, 100), QPoint(50, 10));
    QCOMPARE(view(), QStringLiteral("all 0..9"));
}

void TestDMMChart::appendWhileZoomedWaitsForTheZoomToEnd()
{
    show(10);
    paintedImage();
    drag(QPoint(50, 10), QPoint(200, 100));
    append(1);
    paintedImage();
    QCOMPARE(view(), QStringLiteral("zoomed 2..5"));

    drag(QPoint(200, 10), QPoint(50, 100)); // toward the lower left: show all
    QCOMPARE(view(), QStringLiteral("all 0..10"));
}

void TestDMMChart::plainClickKeepsTheView()
{
    show(10);
    paintedImage();
    drag(QPoint(50, 10), QPoint(200, 100));
    // The previous drag ended to the lower right of this click; the click must
    // not zoom into that old rectangle.
    mouse(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    paintedImage();
    QCOMPARE(view(), QStringLiteral("zoomed 2..5"));
}

void TestDMMChart::pressAfterHoverShowsNoOldSelection()
{
    show(10);
    const QImage plain = paintedImage();
    // A drag toward the upper left, painted halfway: shows all again.
    mouse(QEvent::MouseButtonPress, QPoint(300, 150), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(50, 60), Qt::NoButton, Qt::LeftButton);
    chart->repaint();
    mouse(QEvent::MouseButtonRelease, QPoint(50, 60), Qt::LeftButton, Qt::NoButton);
    paintedImage();

    // A press while the indicator's timer runs: the old rectangle is gone,
    // at most the new selection's first corner shows.
    hover(QPoint(120, 150));
    paintedImage();
    mouse(QEvent::MouseButtonPress, QPoint(200, 150), Qt::LeftButton, Qt::LeftButton);
    const QImage pressed = paintedImage();
    QCOMPARE(pressed.size(), plain.size());
    int differing = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x)
            differing += pressed.pixel(x, y) != plain.pixel(x, y);
    }
    QVERIFY2(differing <= 1, qPrintable(QString::number(differing)));
}

void TestDMMChart::reloadWhileZoomedShowsTheNewPoints()
{
    show(100);
    paintedImage();
    drag(QPoint(200, 10), QPoint(370, 100));
    QVERIFY(chart->viewFirst() > 40);

    // Another item, longer than the zoomed range reaches: all of it shows.
    chart->clearPoints();
    append(200);
    paintedImage();
    QCOMPARE(view(), QStringLiteral("all 0..199"));
}

void TestDMMChart::clearDuringDragStaysInsideThePoints()
{
    show(10);
    paintedImage();
    // The points go while a selection is dragged; the release is judged
    // against the offsets of the old points.
    mouse(QEvent::MouseButtonPress, QPoint(50, 10), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(300, 100), Qt::NoButton, Qt::LeftButton);
    chart->clearPoints();
    append(3);
    mouse(QEvent::MouseButtonRelease, QPoint(300, 100), Qt::LeftButton, Qt::NoButton);
    paintedImage();
    QVERIFY(chart->viewLast() <= 2);
    QVERIFY(chart->viewFirst() <= chart->viewLast() + 1);
}

void TestDMMChart::tinySizesDoNotHang_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("points");

    QTest::newRow("smaller than the margins") << QSize(50, 60) << 1000;
    QTest::newRow("plot one pixel") << QSize(81, 81) << 1000;
    QTest::newRow("no plot height") << QSize(400, 80) << 5;
    QTest::newRow("one pixel") << QSize(1, 1) << 1000;
    QTest::newRow("narrow with many points") << QSize(90, 300) << 100000;
}

void TestDMMChart::tinySizesDoNotHang()
{
    QFETCH(QSize, size);
    QFETCH(int, points);
    show(points, size);
    paintedImage();
    const ChartTicks &ticks = chart->currentTicks();
    if (chart->plotArea().width() <= 0)
        QCOMPARE(ticks.xTickCount, 0);
    if (chart->plotArea().height() <= 0)
        QCOMPARE(ticks.yTickCountUp + ticks.yTickCountDown, 0);
    hover(QPoint(3, 3));
    drag(QPoint(0, 0), QPoint(5, 5));
    paintedImage();
}

void TestDMMChart::savePicture()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("chart.jpg"));
    QVERIFY(!chart->savePicture(file)); // never painted

    show(20);
    paintedImage();
    QVERIFY(chart->savePicture(file));
    QCOMPARE(QImage(file).size(), chart->size());
    QVERIFY(!chart->savePicture(dir.filePath(QStringLiteral("chart")))); // no format
    QVERIFY(!chart->savePicture(dir.filePath(QStringLiteral("missing/chart.png"))));
}

MERIDO_TEST_MAIN(TestDMMChart)
#include "tst_dmmchart.moc"
