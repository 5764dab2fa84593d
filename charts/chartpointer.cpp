#include "chartpointer.h"

#include <QPoint>

#include <algorithm>
#include <cstdlib>

namespace {

// Position of the first offset that reaches x (the offsets ascend, so a binary
// search finds what a scan from the left would).
int firstReaching(const QVector<int> &pointX, int x)
{
    return int(std::lower_bound(pointX.cbegin(), pointX.cend(), x) - pointX.cbegin());
}

} // namespace

int indexAtX(const QVector<int> &pointX, int x, int plotWidth)
{
    const int n = pointX.size();
    if (x < 0)
        return n > 0 ? 0 : -1;
    if (x > plotWidth)
        return n - 1;
    const int k = firstReaching(pointX, x);
    if (k == n)
        return n - 1;
    if (pointX.at(k) == x)
        return k;
    const int j = std::max(k - 1, 0);
    return std::abs(pointX.at(j) - x) > std::abs(pointX.at(k) - x) ? k : j;
}

ZoomSelection resolveSelection(const QVector<int> &pointX, const QPoint &start, const QPoint &end)
{
    ZoomSelection result;
    if (start == end)
        return result;
    if (end.x() <= start.x() || end.y() <= start.y()) {
        result.action = ZoomSelection::ShowAll;
        return result;
    }

    const int n = pointX.size();
    // The first point at or right of the start; none: from the first point on.
    int a = firstReaching(pointX, start.x());
    if (a == n)
        a = 0;
    // The point before the first one at or right of the end, but at least
    // point 1; none: up to the last point.
    const int reachingEnd = firstReaching(pointX, end.x());
    const int b = reachingEnd == n ? n - 1 : std::min(std::max(reachingEnd - 1, 1), n - 1);
    if (b - a > 0) {
        result.action = ZoomSelection::Zoom;
        result.first = a;
        result.last = b;
    }
    return result;
}
