#include "chartcurve.h"

#include "chartpoint.h"
#include "chartscale.h"

#include <QRect>

#include <algorithm>

namespace {

int lastOnView(const QList<ChartPoint *> &points, int last)
{
    return std::min(last, int(points.size()) - 1);
}

} // namespace

QPolygon curveVertices(const QList<ChartPoint *> &points, int first, int last,
                       const QRect &plot, const ChartScale &scale)
{
    last = lastOnView(points, last);
    QPolygon vertices;
    vertices.reserve(std::max(0, last - first + 1));
    const int y0 = scale.zeroRow(plot);
    for (int i = first, k = 0; i <= last; ++i, ++k)
        vertices.append(QPoint(scale.columnOf(plot, k), scale.rowOf(y0, points.at(i)->value)));
    return vertices;
}

QPolygon curveEnvelope(const QList<ChartPoint *> &points, int first, int last,
                       const QRect &plot, const ChartScale &scale)
{
    last = lastOnView(points, last);
    QPolygon vertices;
    if (first > last)
        return vertices;
    vertices.reserve(4 * std::max(1, plot.width()) + 4);

    const int y0 = scale.zeroRow(plot);
    int column = 0;
    int firstRow = 0, minRow = 0, maxRow = 0, lastRow = 0;
    int minK = 0, maxK = 0;
    auto add = [&](int y) {
        const QPoint vertex(column, y);
        if (vertices.isEmpty() || vertices.constLast() != vertex)
            vertices.append(vertex);
    };
    auto flush = [&] {
        add(firstRow);
        add(minK < maxK ? minRow : maxRow);
        add(minK < maxK ? maxRow : minRow);
        add(lastRow);
    };

    for (int i = first, k = 0; i <= last; ++i, ++k) {
        const int x = scale.columnOf(plot, k);
        const int y = scale.rowOf(y0, points.at(i)->value);
        if (k == 0 || x != column) {
            if (k > 0)
                flush();
            column = x;
            firstRow = minRow = maxRow = y;
            minK = maxK = k;
        } else if (y < minRow) {
            minRow = y;
            minK = k;
        } else if (y > maxRow) {
            maxRow = y;
            maxK = k;
        }
        lastRow = y;
    }
    flush();
    return vertices;
}

QPolygon curvePolyline(const QList<ChartPoint *> &points, int first, int last,
                       const QRect &plot, const ChartScale &scale)
{
    const int onView = last - first + 1;
    if (plot.width() > 0 && onView > 2 * plot.width())
        return curveEnvelope(points, first, last, plot, scale);
    return curveVertices(points, first, last, plot, scale);
}
