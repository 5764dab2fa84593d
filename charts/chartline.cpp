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
    track(point->value);
}

void ChartLine::append(const QList<ChartPoint *> &newPoints)
{
    points.append(newPoints);
    values.reserve(values.size() + newPoints.size());
    for (const ChartPoint *point : newPoints)
        track(point->value);
}

void ChartLine::track(double value)
{
    values.append(value);
    if (value > highest)
        highest = value;
    if (value <= lowest)
        lowest = value;
}

void ChartLine::clear()
{
    qDeleteAll(points);
    points.clear();
    values.clear();
    lowest = 0;
    highest = 0;
}

void ChartLine::computeRange(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, int(values.size()) - 1);
    if (first == 0 && last == values.size() - 1) {
        minValue = lowest;
        maxValue = highest;
        return;
    }
    minValue = 0;
    maxValue = 0;
    for (int i = first; i <= last; ++i) {
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
