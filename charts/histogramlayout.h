#pragma once

#include <QString>
#include <QVector>

class QRectF;
class QSizeF;
struct HistogramRange;

// Texts beside a class row: the lower bound at the bar's foot (followed by
// "x"), the upper bound at its head (followed by a blank); the lowest row
// reads "-OL " at its foot, the highest "OL " at its head.
struct ClassLabels
{
    QString bottom;
    QString top;
};
ClassLabels classLabels(const HistogramRange &range, int row, int rowCount, int decimals);

// Geometry of the histogram's bars and count axis. Classes are rows stacked
// upward from the plot's lower-left corner; a bar's length is its count.
struct HistogramLayout
{
    int maxCount = 0;     // largest count of any class, at least 1
    double countUnit = 0; // pixels per counted value
    int countStep = 0;    // counts per tick of the count axis
    int rowCount = 0;     // number of classes
    double rowHeight = 0; // pixels per class row

    static HistogramLayout compute(const QSizeF &plot, const QVector<int> &counts);

    // The bar of row m with the given count: 80 per cent of its row, a tenth
    // of the row free above and below, at least one pixel long.
    QRectF barRect(int row, int count) const;
    // Number of count ticks on a plot of this width: ticks 0 and 1 when one
    // step fits, then as many as the remaining width allows. None when the
    // plot is too narrow for a positive step.
    int tickCount(double plotWidth) const;
    // Offset of count tick i from the plot's left edge.
    int tickX(int i) const;
};
