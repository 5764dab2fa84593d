#include "histogramlayout.h"

#include "histogramrange.h"

#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double minTickPixels = 50;
constexpr double barShare = 0.8;
// Evaluated in double arithmetic: 0.09999999999999998.
constexpr double barGap = (1 - barShare) / 2;

} // namespace

HistogramLayout HistogramLayout::compute(const QSizeF &plot, const QVector<int> &counts)
{
    HistogramLayout layout;
    layout.maxCount = std::max(1, counts.isEmpty() ? 0 : *std::max_element(counts.cbegin(), counts.cend()));
    layout.countUnit = (plot.width() - 1.0) / layout.maxCount;

    // The smallest k >= 2 whose ticks lie at least 50 pixels apart. A plot of
    // one pixel or less has no positive unit and gets one count per step.
    layout.countStep = 1;
    if (layout.countUnit > 0 && layout.countUnit < minTickPixels) {
        double k = std::max(2.0, std::ceil(minTickPixels / layout.countUnit));
        while (k > 2 && (k - 1) * layout.countUnit >= minTickPixels)
            --k;
        while (k * layout.countUnit < minTickPixels)
            ++k;
        layout.countStep = int(std::min(k, double(INT_MAX)));
    }

    layout.rowCount = counts.size();
    layout.rowHeight = layout.rowCount > 0 ? plot.height() / layout.rowCount : 1.0;
    return layout;
}

QRectF HistogramLayout::barRect(int row, int count) const
{
    const int width = std::max(1, int(count * countUnit));
    return QRectF(0, rowHeight * barGap - (row + 1) * rowHeight, width, rowHeight * barShare);
}

int HistogramLayout::tickCount(double plotWidth) const
{
    const int pw = int(plotWidth);
    const double step = countStep * countUnit;
    if (!(step > 0) || pw < step)
        return 0;
    int ticks = 2;
    for (int remaining = int(pw - step); remaining >= step; remaining = int(remaining - step))
        ++ticks;
    return ticks;
}

int HistogramLayout::tickX(int i) const
{
    return int(i * (countStep * countUnit) - 1);
}

ClassLabels classLabels(const HistogramRange &range, int row, int rowCount, int decimals)
{
    ClassLabels labels;
    if (row == 0) {
        labels.bottom = QStringLiteral("-OL ");
    } else if (row == rowCount - 1) {
        labels.top = QStringLiteral("OL ");
    } else {
        labels.bottom = QString::number(range.low, 'f', decimals) + QStringLiteral("x");
        labels.top = QString::number(range.high, 'f', decimals) + QStringLiteral(" ");
    }
    return labels;
}
