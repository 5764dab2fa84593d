#include "chartcurve.h"

#include "chartscale.h"

#include <QRect>

#include <algorithm>
#include <cmath>

namespace {

int lastOnView(const QVector<double> &values, int last)
{
    return std::min(last, int(values.size()) - 1);
}

// One past the last of the points from k on that share point k's column.
// Found from the step and settled against columnOf(), so that the columns
// are exactly those of curveVertices().
int endOfColumn(const QRect &plot, const ChartScale &scale, int k, int n)
{
    const int column = scale.columnOf(plot, k);
    double estimate = std::ceil((column + 1 - plot.left()) / scale.xStep);
    int end = int(std::clamp(estimate, double(k + 1), double(n)));
    while (end > k + 1 && scale.columnOf(plot, end - 1) != column)
        --end;
    while (end < n && scale.columnOf(plot, end) == column)
        ++end;
    return end;
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

    const int y0 = scale.zeroRow(plot);
    auto add = [&](int column, double value) {
        const QPoint vertex(column, scale.rowOf(y0, value));
        if (vertices.isEmpty() || vertices.constLast() != vertex)
            vertices.append(vertex);
    };

    const double *value = values.constData() + first;
    const int n = last - first + 1;
    for (int k = 0; k < n;) {
        const int column = scale.columnOf(plot, k);
        const int end = endOfColumn(plot, scale, k, n);
        // Rows fall as values rise, so the extremes are found on the values
        // and only four values per column are turned into rows.
        double low = value[k];
        double high = value[k];
        int lowK = k;
        int highK = k;
        for (int j = k + 1; j < end; ++j) {
            if (value[j] < low) {
                low = value[j];
                lowK = j;
            } else if (value[j] > high) {
                high = value[j];
                highK = j;
            }
        }
        add(column, value[k]);
        add(column, value[std::min(lowK, highK)]);
        add(column, value[std::max(lowK, highK)]);
        add(column, value[end - 1]);
        k = end;
    }
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
