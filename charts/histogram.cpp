#include "histogram.h"

Histogram::Histogram(QWidget *parent)
    : QWidget(parent)
{
}

void Histogram::setMargins(int, int, int, int) {}
void Histogram::setRanges(const QList<HistogramRange *> &) {}
void Histogram::setXTitle(const QString &) {}
void Histogram::setYTitle(const QString &) {}
void Histogram::setDecimals(int) {}
void Histogram::addValue(double) {}
void Histogram::addValues(const QList<double> &) {}
void Histogram::clearValues() {}
