#pragma once

#include <QDateTime>
#include <QVariant>

// One point of the trend chart; the chart owns it once appended.
struct ChartPoint
{
    ChartPoint(double value, const QDateTime &time, const QVariant &label)
        : time(time), value(value), label(label)
    {
    }

    QDateTime time;
    double value;
    QVariant label;
};
