#pragma once

#include "chartpoint.h"

#include <QFrame>
#include <QList>

// The trend chart (placeholder until the chart widget lands).
class DMMChart : public QFrame
{
    Q_OBJECT

public:
    explicit DMMChart(QWidget *parent = nullptr);
    ~DMMChart() override;

    void setLeftMargin(int margin);
    void setBottomMargin(int margin);
    void setXTitle(const QString &title);
    void setYTitle(const QString &title);
    void setDecimals(int decimals);
    void appendPoint(ChartPoint *point, int line);
    void appendPoints(QList<ChartPoint *> points, int line);
    void clearPoints();

private:
    QList<ChartPoint *> points;
};
