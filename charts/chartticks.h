#pragma once

class QRect;
class QString;
struct ChartScale;

// Points per time tick: the first of 1, 2, 3, 5, 10, 20, 30, 40, 50, 100,
// 150, ... (then steps of 50) that spans at least minPixels. 0 when the scale
// is not positive (no plot to tick) or the step would not fit an int.
int pickPointStep(double pixelsPerPoint, double minPixels);

// Value units per value tick: the first of 0.00001, 0.0001, 0.001, 0.01, 0.1,
// 0.2, 0.3, 0.5, 0.8, 1, 2, 3, 5, 10, 20, 30, 40, 50, 100, 150, ... that
// spans at least minPixels. 0 when the scale is not positive.
double pickValueStep(double pixelsPerUnit, double minPixels);

// Label of a value tick: magnitudes from 1000 on shortened with "k", from
// 1000000 on with "M"; below the zero line the number is negated after the
// shortening.
QString valueLabel(double magnitude, int decimals, bool belowZero);

// Tick positions of the trend chart's two axes.
struct ChartTicks
{
    double xTickPx = 0;     // pixels between two time ticks
    double yTickPx = 0;     // pixels between two value ticks
    int xTickCount = 0;     // number of time ticks
    int yTickCountUp = 0;   // value ticks above the zero line, the zero line not counted
    int yTickCountDown = 0; // value ticks below the zero line, the zero line not counted
    int xTickPoints = 0;    // points per time tick
    double yTickValue = 0;  // value units per value tick

    // With no data only the counts are reset. A plot without a positive
    // width (height) gets no time (value) ticks.
    void compute(const ChartScale &scale, const QRect &plot, bool hasData);
};
