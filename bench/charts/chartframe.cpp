// One full repaint of the trend chart (all layers rebuilt) at 10k, 100k and
// 1M points, and Qt Charts drawing the same 1M points at the same size; then
// the repaint after a hover over 1M points. Both charts rebuild everything
// per frame: ours its layout, Qt Charts its geometry, after a one-millisecond
// change of its time axis.
#include "charts/chartpoint.h"
#include "charts/dmmchart.h"
#include "support/benchutil.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>
#include <QValueAxis>

namespace {

const QSize pictureSize(1000, 600);
// UTC: building a million local times would stat the time zone file a million times.
const QDateTime start(QDate(2024, 5, 2), QTime(10, 0), Qt::UTC);

// Readings around 120 um with spread, and one in 10,000 over range (the
// gauge reports those with the value 0).
QVector<double> readings(int count)
{
    QRandomGenerator random(11);
    QVector<double> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = i % 10000 == 5000 ? 0 : 120 + random.bounded(40.0) - 20;
    return values;
}

void showChart(DMMChart &chart, const QVector<double> &values)
{
    QList<ChartPoint *> points;
    points.reserve(values.size());
    for (int i = 0; i < values.size(); ++i)
        points.append(new ChartPoint(values.at(i), start.addMSecs(i * 100LL), QVariant()));
    chart.setLeftMargin(70);
    chart.setBottomMargin(50);
    chart.setXTitle(QStringLiteral("Time"));
    chart.setYTitle(QStringLiteral("Thickness(um)"));
    chart.resize(pictureSize);
    chart.appendPoints(points, 0);
    chart.show();
    if (!QTest::qWaitForWindowExposed(&chart))
        qFatal("chart not shown");
}

// Median time of a repaint that rebuilds every layer.
double chartFrameMs(DMMChart &chart, int frames)
{
    QVector<double> samples;
    for (int i = 0; i <= frames; ++i) {
        QElapsedTimer timer;
        timer.start();
        chart.setLeftMargin(70); // marks the axes, and so every layer, dirty
        chart.repaint();
        if (i > 0) // the first frame warms up
            samples.append(timer.nsecsElapsed() / 1e6);
    }
    return median(samples);
}

double hoverMs(DMMChart &chart, int moves)
{
    QVector<double> samples;
    const int y = chart.height() / 2;
    for (int i = 0; i < moves; ++i) {
        const QPoint pos(i % 2 ? 300 : 700, y);
        QElapsedTimer timer;
        timer.start();
        QMouseEvent move(QEvent::MouseMove, pos, chart.mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&chart, &move);
        chart.repaint();
        samples.append(timer.nsecsElapsed() / 1e6);
    }
    return median(samples);
}

double qtChartsFrameMs(const QVector<double> &values, int frames)
{
    auto *series = new QtCharts::QLineSeries;
    QVector<QPointF> points(values.size());
    const qint64 t0 = start.toMSecsSinceEpoch();
    for (int i = 0; i < values.size(); ++i)
        points[i] = QPointF(t0 + i * 100.0, values.at(i));
    series->replace(points);

    auto *chart = new QtCharts::QChart;
    chart->legend()->hide();
    chart->addSeries(series);
    auto *timeAxis = new QtCharts::QDateTimeAxis;
    timeAxis->setFormat(QStringLiteral("hh:mm:ss"));
    timeAxis->setTitleText(QStringLiteral("Time"));
    chart->addAxis(timeAxis, Qt::AlignBottom);
    series->attachAxis(timeAxis);
    auto *valueAxis = new QtCharts::QValueAxis;
    valueAxis->setTitleText(QStringLiteral("Thickness(um)"));
    chart->addAxis(valueAxis, Qt::AlignLeft);
    series->attachAxis(valueAxis);

    QtCharts::QChartView view(chart);
    view.resize(pictureSize);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        qFatal("chart view not shown");

    const QDateTime first = QDateTime::fromMSecsSinceEpoch(t0, Qt::UTC);
    const QDateTime last = QDateTime::fromMSecsSinceEpoch(t0 + (values.size() - 1) * 100LL, Qt::UTC);
    QImage image(pictureSize, QImage::Format_ARGB32_Premultiplied);
    QVector<double> samples;
    for (int i = 0; i <= frames; ++i) {
        QElapsedTimer timer;
        timer.start();
        timeAxis->setRange(first, last.addMSecs(i % 2));
        QPainter painter(&image);
        view.render(&painter);
        painter.end();
        if (i > 0)
            samples.append(timer.nsecsElapsed() / 1e6);
    }
    return median(samples);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    double ownMillion = 0;
    for (int count : {10000, 100000, 1000000}) {
        DMMChart chart;
        showChart(chart, readings(count));
        const double ms = chartFrameMs(chart, 15);
        const QByteArray name = count == 10000    ? "chart_frame_10k_ms"
                                : count == 100000 ? "chart_frame_100k_ms"
                                                  : "chart_frame_1m_ms";
        printFigure(name.constData(), ms, "ms", 2);
        if (count == 1000000) {
            ownMillion = ms;
            printFigure("chart_hover_1m_ms", hoverMs(chart, 30), "ms", 2);
        }
    }

    const double qtCharts = qtChartsFrameMs(readings(1000000), 3);
    printFigure("qtcharts_frame_1m_ms", qtCharts, "ms", 1);
    printFigure("chart_vs_qtcharts_ratio_1m", ownMillion > 0 ? qtCharts / ownMillion : 0, "x", 1);
    return 0;
}
