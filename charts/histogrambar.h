#pragma once

#include <QColor>
#include <QRectF>

struct HistogramBin;

// The drawable bar of one bin, in plot coordinates (origin at the plot's
// lower-left corner, y growing downward).
struct HistogramBar
{
    QRectF rect;
    const HistogramBin *bin = nullptr; // owned by the histogram
    QColor color = QColor::fromRgba(0xfffa9600);
};
