#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QVector>

struct ChartPoint;
struct ChartScale;

// One series of the trend chart. The line owns its points: its destructor
// deletes them.
class ChartLine : public QObject
{
    Q_OBJECT

public:
    explicit ChartLine(const QColor &color);
    ~ChartLine() override;

    // minValue and maxValue over the points first..last; the range always
    // holds 0.
    void computeRange(int first, int last);
    // Rebuilds pointX for the points first..last.
    void computePointX(int first, int last, const ChartScale &scale);
    // Deletes every point.
    void clear();

    QList<ChartPoint *> points;
    QVector<int> pointX; // per point on view: its offset from the plot's left edge
    QColor color;
    double minValue = 0; // never above 0
    double maxValue = 0; // never below 0
};
