#pragma once

#include <QList>
#include <QPolygon>

class QRect;
struct ChartPoint;
struct ChartScale;

// Every vertex of the curve through the points first..last (last clamped to
// the points there are).
QPolygon curveVertices(const QList<ChartPoint *> &points, int first, int last,
                       const QRect &plot, const ChartScale &scale);

// The same curve reduced to the first, minimum, maximum and last vertex of
// each pixel column, minimum and maximum in the order they occur. Within a
// column the full curve is a chain of vertical strokes spanning exactly
// minimum to maximum, and the strokes between columns are kept, so with a
// one-pixel pen the picture is the same; at most the end pixel of a column's
// stroke may differ, as Qt draws it only where the path turns.
QPolygon curveEnvelope(const QList<ChartPoint *> &points, int first, int last,
                       const QRect &plot, const ChartScale &scale);

// What the chart draws: the envelope once there are more than two points per
// pixel column, every vertex otherwise.
QPolygon curvePolyline(const QList<ChartPoint *> &points, int first, int last,
                       const QRect &plot, const ChartScale &scale);
