#include "chartcurve.h"

#include "chartscale.h"

#include <QRect>

#include <algorithm>

namespace {

int lastOnView(const QVector<double> &values, int last)
{
    return std::min(last, int(values.size()) - 1);
}

} // namespace

QPolygon curveVertices(const QVector<double> &values, int first, int last, const QRect &plot,
                       const ChartScale &scale)
{
    last = lastOnView(values, last);
    QPolygon vertices;
    vertices.reserve(std::max(0, last - first + 1));
    const int y0 = scale.zeroRow(plot);
    for (int i = first, k = 0; i <= last; ++i, ++k)
        vertices.append(QPoint(scale.columnOf(plot, k), scale.rowOf(y0, values.at(i))));
    return vertices;
}

QPolygon curveEnvelope(const QVector<double> &values, int first, int last, const QRect &plot,
                       const ChartScale &scale)
{
    last = lastOnView(values, last);
    QPolygon vertices;
    if (first > last)
        return vertices;
    vertices.reserve(4 * std::max(1, plot.width()) + 4);

    // Rows fall as values rise, so the extremes are found on the values and
    // only four values per column are turned into rows.
    const int y0 = scale.zeroRow(plot);
    int column = 0;
    double firstValue = 0, lowValue = 0, highValue = 0, lastValue = 0;
    int lowK = 0, highK = 0;
    auto add = [&](double value) {
        const QPoint vertex(column, scale.rowOf(y0, value));
        if (vertices.isEmpty() || vertices.constLast() != vertex)
            vertices.append(vertex);
    };
    auto flush = [&] {
        add(firstValue);
        add(lowK < highK ? lowValue : highValue);
        add(lowK < highK ? highValue : lowValue);
        add(lastValue);
    };

    const double *value = values.constData() + first;
    for (int k = 0, n = last - first + 1; k < n; ++k, ++value) {
        const int x = scale.columnOf(plot, k);
        if (k == 0 || x != column) {
            if (k > 0)
                flush();
            column = x;
            firstValue = lowValue = highValue = *value;
            lowK = highK = k;
        } else if (*value < lowValue) {
            lowValue = *value;
            lowK = k;
        } else if (*value > highValue) {
            highValue = *value;
            highK = k;
        }
        lastValue = *value;
    }
    flush();
    return vertices;
}

QPolygon curvePolyline(const QVector<double> &values, int first, int last, const QRect &plot,
                       const ChartScale &scale)
{
    const int onView = last - first + 1;
    if (plot.width() > 0 && onView > 2 * plot.width())
        return curveEnvelope(values, first, last, plot, scale);
    return curveVertices(values, first, last, plot, scale);
}
