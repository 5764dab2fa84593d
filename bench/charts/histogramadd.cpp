// 1,000,000 values added one by one to a shown histogram, with the events
// (and so the repaints) processed every 1,000 values.
#include "charts/histogram.h"
#include "support/benchutil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <limits>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    const double bounds[] = {std::numeric_limits<double>::lowest(), 0, 200, 400, 600, 800, 1000, 1250,
                             std::numeric_limits<double>::max()};
    QList<HistogramRange *> ranges;
    for (int i = 0; i + 1 < int(std::size(bounds)); ++i)
        ranges.append(new HistogramRange{bounds[i], bounds[i + 1]});

    Histogram histogram;
    histogram.setRanges(ranges);
    histogram.setMargins(100, 20, 20, 50);
    histogram.setXTitle(QStringLiteral("Rate"));
    histogram.setYTitle(QStringLiteral("Thickness(um)"));
    histogram.resize(1000, 600);
    histogram.show();
    if (!QTest::qWaitForWindowExposed(&histogram))
        qFatal("histogram not shown");

    QRandomGenerator random(5);
    QVector<double> values(1000000);
    for (double &value : values)
        value = random.bounded(1500.0) - 50;

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < values.size(); ++i) {
        histogram.addValue(values.at(i));
        if (i % 1000 == 999)
            QCoreApplication::processEvents();
    }
    printFigure("histogram_add_1m_ms", timer.nsecsElapsed() / 1e6, "ms", 1);

    qDeleteAll(ranges);
    return 0;
}
