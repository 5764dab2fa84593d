#pragma once

#include "pointoffsets.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QVector>

struct ChartPoint;

// One series of the trend chart. The line owns its points: clear() and the
// destructor delete them.
class ChartLine : public QObject
{
    Q_OBJECT

public:
    explicit ChartLine(const QColor &color);
    ~ChartLine() override;

    void append(ChartPoint *point);
    void append(const QList<ChartPoint *> &newPoints);
    // Deletes every point.
    void clear();

    // minValue and maxValue over the points first..last; the range always
    // holds 0. Over all points it is known from the appends and costs nothing.
    void computeRange(int first, int last);
    // The offsets of the points first..last at the scale's step.
    void computePointX(int first, int last, const ChartScale &scale);

    QList<ChartPoint *> points;
    // The points' values side by side, so that scaling and drawing a long
    // line read one block of memory instead of every point.
    QVector<double> values;
    PointOffsets pointX; // of the points on view
    QColor color;
    double minValue = 0; // never above 0
    double maxValue = 0; // never below 0

private:
    void track(double value);

    double lowest = 0; // the range of all values, kept up to date by append()
    double highest = 0;
};
