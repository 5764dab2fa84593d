#pragma once

#include "chartscale.h"

// The x offsets of the points on view from the plot's left edge: point k sits
// at k × xStep rounded to the nearest pixel, halves upward. The offsets
// ascend, so hit tests can search them; they are computed on demand, so a
// layout costs nothing per point.
struct PointOffsets
{
    int count = 0;
    double xStep = 0;

    int size() const { return count; }
    bool isEmpty() const { return count <= 0; }
    int at(int k) const { return toPixel(k * xStep + 0.5); }
};
