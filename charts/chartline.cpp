#include "chartline.h"

#include "chartpoint.h"
#include "chartscale.h"

#include <algorithm>

ChartLine::ChartLine(const QColor &color)
    : color(color)
{
}

ChartLine::~ChartLine()
{
    clear();
}

void ChartLine::computeRange(int first, int last)
{
    minValue = 0;
    maxValue = 0;
    last = std::min(last, int(points.size()) - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        const double value = points.at(i)->value;
        if (value > maxValue)
            maxValue = value;
        if (value <= minValue)
            minValue = value;
    }
}

void ChartLine::computePointX(int first, int last, const ChartScale &scale)
{
    pointX.resize(std::max(0, last - first + 1));
    for (int k = 0; k < pointX.size(); ++k)
        pointX[k] = scale.offsetOf(k);
}

void ChartLine::clear()
{
    qDeleteAll(points);
    points.clear();
}
