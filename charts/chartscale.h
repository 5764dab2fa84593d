#pragma once

#include <QRect>

// Truncates toward zero, saturating far outside any picture so that absurd
// values (huge, infinite, NaN) still give a drawable coordinate.
inline int toPixel(double coordinate)
{
    constexpr double limit = 1 << 24;
    if (!(coordinate > -limit)) // also NaN
        return -int(limit);
    if (!(coordinate < limit))
        return int(limit);
    return int(coordinate);
}

// The automatic scaling of the trend chart: the value axis always holds 0
// and at least -1.1 .. 1.1, with ten per cent room beyond the values on view;
// the points on view share the plot width in equal cells.
struct ChartScale
{
    double yMin = 0;
    double yMax = 0;
    double xStep = 0;  // pixels per point
    double yScale = 0; // pixels per value unit

    // lowest and highest are the smallest and largest values on view (each
    // line's range already includes 0).
    static ChartScale fit(const QRect &plot, double lowest, double highest, int pointsOnView);

    // Pixel row of the value 0.
    int zeroRow(const QRect &plot) const { return toPixel(plot.top() + yScale * yMax); }
    // Pixel row of a value, given zeroRow().
    int rowOf(int zeroRow, double value) const { return toPixel(zeroRow - yScale * value); }
    // Pixel column of the k-th point on view, as the curve draws it. Hit
    // testing and the indicator use the rounded offsets of PointOffsets,
    // which may lie one pixel to the right.
    int columnOf(const QRect &plot, int k) const { return toPixel(plot.left() + k * xStep); }
};
