#include "chartticks.h"

#include "chartscale.h"

#include <QRect>
#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The first multiple of 50 whose span reaches minPixels. Searching by
// counting up from 50 would take ages on a tiny scale, so start from the
// quotient and settle the rounding of the last step.
double firstMultipleOf50(double scale, double minPixels)
{
    double m = std::max(1.0, std::ceil(minPixels / (50 * scale)));
    if (m < 1e15) { // beyond that, a step of one no longer changes m
        while (m > 1 && (m - 1) * 50 * scale >= minPixels)
            --m;
        while (m * 50 * scale < minPixels)
            ++m;
    }
    return 50 * m;
}

bool usableScale(double scale, double minPixels)
{
    return scale > 0 && std::isfinite(scale) && std::isfinite(minPixels);
}

} // namespace

int pickPointStep(double pixelsPerPoint, double minPixels)
{
    if (!usableScale(pixelsPerPoint, minPixels))
        return 0;
    for (int n : {1, 2, 3, 5, 10, 20, 30, 40}) {
        if (n * pixelsPerPoint >= minPixels)
            return n;
    }
    const double n = firstMultipleOf50(pixelsPerPoint, minPixels);
    return n <= INT_MAX ? int(n) : 0;
}

double pickValueStep(double pixelsPerUnit, double minPixels)
{
    if (!usableScale(pixelsPerUnit, minPixels))
        return 0;
    // 0.8, not 1, follows 0.5.
    for (double d : {0.00001, 0.0001, 0.001, 0.01, 0.1, 0.2, 0.3, 0.5, 0.8, 1.0, 2.0, 3.0, 5.0,
                     10.0, 20.0, 30.0, 40.0}) {
        if (d * pixelsPerUnit >= minPixels)
            return d;
    }
    return firstMultipleOf50(pixelsPerUnit, minPixels);
}

QString valueLabel(double magnitude, int decimals, bool belowZero)
{
    QString suffix;
    if (magnitude >= 1000000) {
        magnitude /= 1000000;
        suffix = QStringLiteral("M");
    } else if (magnitude >= 1000) {
        magnitude /= 1000;
        suffix = QStringLiteral("k");
    }
    return QString::number(belowZero ? -magnitude : magnitude, 'f', decimals) + suffix;
}

void ChartTicks::compute(const ChartScale &scale, const QRect &plot, bool hasData)
{
    xTickCount = 0;
    yTickCountUp = 0;
    yTickCountDown = 0;
    if (!hasData)
        return;

    const int pointStep = pickPointStep(scale.xStep, 80);
    if (pointStep > 0) {
        xTickPoints = pointStep;
        xTickPx = pointStep * scale.xStep;
        xTickCount = int(plot.width() / xTickPx);
    }

    const double valueStep = pickValueStep(scale.yScale, 30);
    if (valueStep > 0 && std::isfinite(scale.yScale * valueStep)) {
        yTickValue = valueStep;
        yTickPx = scale.yScale * valueStep;
        yTickCountUp = int(scale.yMax * scale.yScale / yTickPx);
        yTickCountDown = int(scale.yScale * std::fabs(scale.yMin) / yTickPx);
    }
}
