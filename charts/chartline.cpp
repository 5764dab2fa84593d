#include "chartline.h"

#include "chartpoint.h"

#include <algorithm>

ChartLine::ChartLine(const QColor &color)
    : color(color)
{
}

ChartLine::~ChartLine()
{
    clear();
}

void ChartLine::append(ChartPoint *point)
{
    points.append(point);
    values.append(point->value);
}

void ChartLine::append(const QList<ChartPoint *> &newPoints)
{
    points.append(newPoints);
    values.reserve(values.size() + newPoints.size());
    for (const ChartPoint *point : newPoints)
        values.append(point->value);
}

void ChartLine::clear()
{
    qDeleteAll(points);
    points.clear();
    values.clear();
}

void ChartLine::computeRange(int first, int last)
{
    minValue = 0;
    maxValue = 0;
    last = std::min(last, int(values.size()) - 1);
    for (int i = std::max(first, 0); i <= last; ++i) {
        const double value = values.at(i);
        if (value > maxValue)
            maxValue = value;
        if (value <= minValue)
            minValue = value;
    }
}

void ChartLine::computePointX(int first, int last, const ChartScale &scale)
{
    pointX.count = std::max(0, last - first + 1);
    pointX.xStep = scale.xStep;
}
