#include "chartpointer.h"

#include "pointoffsets.h"

#include <QPoint>

#include <algorithm>
#include <cstdlib>

namespace {

// The first point whose offset reaches x (size() when none does); the
// offsets ascend, so a binary search finds what a scan from the left would.
int firstReaching(const PointOffsets &pointX, int x)
{
    int low = 0;
    int high = pointX.size();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (pointX.at(mid) < x)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

} // namespace

int indexAtX(const PointOffsets &pointX, int x, int plotWidth)
{
    const int n = pointX.size();
    if (n <= 0)
        return -1;
    if (x < 0)
        return 0;
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

ZoomSelection resolveSelection(const PointOffsets &pointX, const QPoint &start, const QPoint &end)
{
    ZoomSelection result;
    if (start == end)
        return result;
    if (end.x() <= start.x() || end.y() <= start.y()) {
        result.action = ZoomSelection::ShowAll;
        return result;
    }

    const int n = std::max(0, pointX.size());
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
