#pragma once

#include <QTextStream>
#include <QVector>

#include <algorithm>
#include <cstdio>

// One figure per line: "name: value unit".
inline void printFigure(const char *name, double value, const char *unit, int decimals = 1)
{
    QTextStream out(stdout);
    out << name << ": " << QString::number(value, 'f', decimals) << ' ' << unit << '\n';
    out.flush();
}

inline double median(QVector<double> samples)
{
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const int mid = samples.size() / 2;
    return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}
