#include "histogrambin.h"

#include "histogramrange.h"

bool HistogramBin::accepts(double value) const
{
    return range && range->low < value && value <= range->high;
}

void HistogramBin::count(double value)
{
    if (accepts(value))
        members.append(value);
}

void HistogramBin::recount(const QVector<double> &values)
{
    members.clear();
    for (double value : values)
        count(value);
}
