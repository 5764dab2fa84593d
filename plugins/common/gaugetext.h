#pragma once

#include <QString>

// How the gauge's display writes a thickness: whole micrometres, mils with two
// decimals, and the six-character over-range texts.
class GaugeText
{
public:
    static constexpr double umPerMil = 25.4;

    static QString um(double um);
    static QString mil(double mil);
    // "    OL" for 1 (over range), "   -OL" for -1 (negative over range).
    static QString overRange(int overRange);
};
