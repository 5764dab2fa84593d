#include "chartscale.h"

#include <QRect>

#include <algorithm>
#include <cmath>

int toPixel(double coordinate)
{
    constexpr double limit = 1 << 24;
    if (!(coordinate > -limit)) // also NaN
        return -int(limit);
    if (!(coordinate < limit))
        return int(limit);
    return int(coordinate);
}

ChartScale ChartScale::fit(const QRect &plot, double lowest, double highest, int pointsOnView)
{
    ChartScale s;
    s.yMin = std::min(-1.0, lowest);
    s.yMax = std::max(1.0, highest);
    s.yMax += std::fabs(s.yMax) / 10;
    s.yMin -= std::fabs(s.yMin) / 10;
    s.yScale = plot.height() / (s.yMax - s.yMin);
    if (pointsOnView > 0)
        s.xStep = double(plot.width()) / pointsOnView;
    return s;
}

int ChartScale::zeroRow(const QRect &plot) const
{
    return toPixel(plot.top() + yScale * yMax);
}

int ChartScale::rowOf(int zeroRow, double value) const
{
    return toPixel(zeroRow - yScale * value);
}

int ChartScale::columnOf(const QRect &plot, int k) const
{
    return toPixel(plot.left() + k * xStep);
}
