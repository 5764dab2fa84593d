#pragma once

#include <QVector>

struct HistogramRange;

// The histogram's count for one class.
struct HistogramBin
{
    bool accepts(double value) const;
    // Appends value to members when it belongs to the class.
    void count(double value);
    // Starts over with every value of values.
    void recount(const QVector<double> &values);

    const HistogramRange *range = nullptr; // not owned
    QVector<double> members;               // the values of the class, in the order added
};
