#pragma once

#include <QList>
#include <QWidget>

// One class of the histogram: low < v <= high.
struct HistogramRange
{
    double low;
    double high;
};

// The histogram (placeholder until the histogram widget lands).
class Histogram : public QWidget
{
    Q_OBJECT

public:
    explicit Histogram(QWidget *parent = nullptr);

    void setMargins(int left, int top, int right, int bottom);
    void setRanges(const QList<HistogramRange *> &ranges);
    void setXTitle(const QString &title);
    void setYTitle(const QString &title);
    void setDecimals(int decimals);
    void addValue(double value);
    void addValues(const QList<double> &values);
    void clearValues();
};
