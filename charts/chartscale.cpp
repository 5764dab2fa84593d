#include "chartscale.h"

#include <algorithm>
#include <cmath>

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
