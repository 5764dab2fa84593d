#include "dmmchart.h"

DMMChart::DMMChart(QWidget *parent)
    : QFrame(parent)
{
}

DMMChart::~DMMChart()
{
    qDeleteAll(points);
}

void DMMChart::setLeftMargin(int) {}
void DMMChart::setBottomMargin(int) {}
void DMMChart::setXTitle(const QString &) {}
void DMMChart::setYTitle(const QString &) {}
void DMMChart::setDecimals(int) {}

void DMMChart::appendPoint(ChartPoint *point, int)
{
    points.append(point);
}

void DMMChart::appendPoints(QList<ChartPoint *> newPoints, int)
{
    points.append(newPoints);
}

void DMMChart::clearPoints()
{
    qDeleteAll(points);
    points.clear();
}
