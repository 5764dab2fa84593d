#include "charts/chartcurve.h"
#include "charts/chartscale.h"
#include "support/testsupport.h"

#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

// The per-column envelope must draw what the full curve draws.
class TestChartCurve : public QObject
{
    Q_OBJECT

private slots:
    void envelopeMatchesFullCurve_data();
    void envelopeMatchesFullCurve();
    void fewPointsDrawEveryVertex();
};

namespace {

QImage render(const QPolygon &vertices, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QColor::fromRgba(0xfffa9600));
    painter.drawPolyline(vertices);
    return image;
}

struct Extent
{
    int top = INT_MAX;
    int bottom = INT_MIN;
};

QMap<int, Extent> columnExtents(const QPolygon &vertices)
{
    QMap<int, Extent> extents;
    for (const QPoint &vertex : vertices) {
        Extent &e = extents[vertex.x()];
        e.top = std::min(e.top, vertex.y());
        e.bottom = std::max(e.bottom, vertex.y());
    }
    return extents;
}

} // namespace

void TestChartCurve::envelopeMatchesFullCurve_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("onView");

    // Plot 300 pixels wide.
    QTest::newRow("noise, 40 points per column") << "noise" << 0 << 12000;
    QTest::newRow("noise, just over 2 per column") << "noise" << 0 << 601;
    QTest::newRow("sawtooth with repeated rows") << "saw" << 0 << 5000;
    QTest::newRow("steps and spikes") << "spikes" << 0 << 20000;
    QTest::newRow("zoomed part of the points") << "noise" << 7000 << 15000;
}

void TestChartCurve::envelopeMatchesFullCurve()
{
    QFETCH(QString, shape);
    QFETCH(int, first);
    QFETCH(int, onView);

    QVector<double> values;
    QRandomGenerator random(42);
    for (int i = 0; i < first + onView + 100; ++i) {
        if (shape == "noise")
            values.append(120 + random.bounded(40.0) - 20);
        else if (shape == "saw")
            values.append(i % 37);
        else
            values.append((i % 1000 == 500) ? 1300 : (i / 3000) * 10 - 15);
    }
    const QRect plot(70, 40, 300, 200);
    const int last = first + onView - 1;
    const ChartScale scale = ChartScale::fit(plot, -15, 1300, onView);

    const QPolygon full = curveVertices(values, first, last, plot, scale);
    const QPolygon envelope = curveEnvelope(values, first, last, plot, scale);
    QCOMPARE(curvePolyline(values, first, last, plot, scale), envelope);
    QVERIFY(envelope.size() <= 4 * plot.width() + 4);

    QCOMPARE(envelope.first(), full.first());
    QCOMPARE(envelope.last(), full.last());
    const QMap<int, Extent> extents = columnExtents(full);
    const QMap<int, Extent> envelopeExtents = columnExtents(envelope);
    QCOMPARE(envelopeExtents.keys(), extents.keys());
    for (auto it = extents.cbegin(); it != extents.cend(); ++it) {
        QCOMPARE(envelopeExtents.value(it.key()).top, it->top);
        QCOMPARE(envelopeExtents.value(it.key()).bottom, it->bottom);
    }

    // Qt's one-pixel lines draw the bottom pixel of a vertical run only where
    // the path turns there, so the two pictures may differ in the end pixel
    // of a column's stroke, never elsewhere.
    const QSize size(plot.right() + 20, plot.bottom() + 20);
    const QImage fullImage = render(full, size);
    const QImage envelopeImage = render(envelope, size);
    int differing = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (fullImage.pixel(x, y) == envelopeImage.pixel(x, y))
                continue;
            ++differing;
            const Extent extent = extents.value(x);
            QVERIFY2(y == extent.top || y == extent.bottom, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY2(differing <= plot.width() / 10, qPrintable(QString::number(differing)));
}

void TestChartCurve::fewPointsDrawEveryVertex()
{
    // Up to two points per pixel column the curve keeps every vertex.
    QVector<double> values;
    for (int i = 0; i < 600; ++i)
        values.append(std::sin(i / 10.0) * 100);
    const QRect plot(0, 0, 300, 200);
    const ChartScale scale = ChartScale::fit(plot, -100, 100, 600);
    const QPolygon polyline = curvePolyline(values, 0, 599, plot, scale);
    QCOMPARE(polyline.size(), 600);
    QCOMPARE(polyline, curveVertices(values, 0, 599, plot, scale));
    QCOMPARE(polyline.at(1), QPoint(0, scale.rowOf(scale.zeroRow(plot), values.at(1))));
}

MERIDO_TEST_MAIN(TestChartCurve)
#include "tst_chartcurve.moc"
