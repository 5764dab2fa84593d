#pragma once

class QPoint;
struct PointOffsets;

// Index (counted from the first point on view) of the point whose offset is
// nearest to the plot offset x; a tie goes to the earlier point. Left of the
// plot gives the first point, right of it the last; -1 when there is no
// point on view.
int indexAtX(const PointOffsets &pointX, int x, int plotWidth);

// What releasing a zoom selection does to the view.
struct ZoomSelection
{
    enum Action {
        ShowAll, // any drag but toward the lower right
        Keep,    // a click without a drag, or fewer than two points under the rectangle
        Zoom,    // narrow the view to first..last (counted from the first point on view)
    };
    Action action = Keep;
    int first = 0;
    int last = -1;
};

// Judges a selection from start to end (plot offsets) against the points on
// view.
ZoomSelection resolveSelection(const PointOffsets &pointX, const QPoint &start, const QPoint &end);
