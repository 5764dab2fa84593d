#pragma once

#include <QPolygon>
#include <QVector>

class QRect;
struct ChartScale;

// Every vertex of the curve through values first..last (last clamped to the
// values there are).
QPolygon curveVertices(const QVector<double> &values, int first, int last, const QRect &plot,
                       const ChartScale &scale);

// The same curve reduced to the first, lowest, highest and last vertex of
// each pixel column, lowest and highest in the order they occur. Within a
// column the full curve is a chain of vertical strokes spanning exactly its
// lowest to its highest vertex, and the strokes between columns are kept, so
// with a one-pixel pen the picture is the same; at most the end pixel of a
// column's stroke may differ, as Qt draws it only where the path turns.
QPolygon curveEnvelope(const QVector<double> &values, int first, int last, const QRect &plot,
                       const ChartScale &scale);

// What the chart draws: the envelope once there are more than two points per
// pixel column, every vertex otherwise.
QPolygon curvePolyline(const QVector<double> &values, int first, int last, const QRect &plot,
                       const ChartScale &scale);
