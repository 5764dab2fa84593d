#include "dmmchart.h"

#include "chartcurve.h"
#include "chartline.h"
#include "chartpoint.h"
#include "chartpointer.h"
#include "charttext.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QTimer>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace {

constexpr int indicatorMs = 3000;
constexpr int tickLength = 5;
constexpr int labelGap = 2;

// Ticks with the painter's pen, then the grid lines dotted.
void drawTicksAndGrid(QPainter &painter, const QVector<QLine> &marks, const QVector<QLine> &grid)
{
    painter.drawLines(marks);
    painter.save();
    painter.setPen(Qt::DotLine);
    painter.drawLines(grid);
    painter.restore();
}

// Starts layer from a copy of the layer below, reusing layer's buffer.
// painter must not be active yet; it is left open on layer.
void overlay(QPainter &painter, QPixmap &layer, const QPixmap &below)
{
    if (layer.size() != below.size())
        layer = QPixmap(below.size());
    painter.begin(&layer);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, below);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace

DMMChart::DMMChart(QWidget *parent)
    : QFrame(parent)
    , indicatorTimer(new QTimer(this))
{
    indicatorTimer->setSingleShot(true);
    connect(indicatorTimer, &QTimer::timeout, this, &DMMChart::slotTmrIndicatorTimeout);
    lines.append(new ChartLine(QColor::fromRgba(0xfffa9600)));
    setMouseTracking(true);
    // The picture covers the whole widget: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

DMMChart::~DMMChart()
{
    qDeleteAll(lines);
}

void DMMChart::invalidateAxes()
{
    axesDirty = true;
    update();
}

void DMMChart::setLeftMargin(int margin)
{
    leftMargin = margin;
    invalidateAxes();
}

void DMMChart::setBottomMargin(int margin)
{
    bottomMargin = margin;
}

void DMMChart::setXTitle(const QString &title)
{
    if (title == xTitle)
        return;
    xTitle = title;
    invalidateAxes();
}

void DMMChart::setYTitle(const QString &title)
{
    if (title == yTitle)
        return;
    yTitle = title;
    invalidateAxes();
}

void DMMChart::setDecimals(int value)
{
    decimals = value;
}

void DMMChart::appendPoint(ChartPoint *point, int line)
{
    if (line < 0 || line >= lines.size()) {
        delete point;
        return;
    }
    lines.at(line)->append(point);
    pointsAppended();
}

void DMMChart::appendPoints(QList<ChartPoint *> points, int line)
{
    if (line < 0 || line >= lines.size()) {
        qDeleteAll(points);
        return;
    }
    lines.at(line)->append(points);
    pointsAppended();
}

// New points show at once unless the user is zooming or zoomed: they wait
// until the zoom ends.
void DMMChart::pointsAppended()
{
    if (!dragging && !zoomed) {
        axesDirty = true;
        appendRepaint.request();
    }
}

void DMMChart::clearPoints()
{
    {
        QMutexLocker locker(&mutex);
        for (ChartLine *line : qAsConst(lines))
            line->clear();
    }
    // A zoom into points that are gone would leave the view beyond the points
    // that come next; the reload of another item shows all of them.
    zoomed = false;
    invalidateAxes();
}

bool DMMChart::hasData() const
{
    return std::any_of(lines.cbegin(), lines.cend(),
                       [](const ChartLine *line) { return !line->points.isEmpty(); });
}

int DMMChart::indexAtX(int x) const
{
    return ::indexAtX(lines.first()->pointX, x, plotRect.width());
}

const QPixmap &DMMChart::picture() const
{
    return *pictureLayer;
}

bool DMMChart::savePicture(const QString &fileName) const
{
    return !pictureLayer->isNull() && pictureLayer->save(fileName, nullptr, -1);
}

void DMMChart::layoutLines()
{
    computeScale();
    for (ChartLine *line : qAsConst(lines))
        line->computePointX(firstIndex, lastIndex, scale);
}

void DMMChart::computeScale()
{
    double lowest = 0;
    double highest = 0;
    for (ChartLine *line : qAsConst(lines)) {
        line->computeRange(firstIndex, lastIndex);
        lowest = std::min(lowest, line->minValue);
        highest = std::max(highest, line->maxValue);
    }
    scale = ChartScale::fit(plotRect, lowest, highest, lastIndex - firstIndex + 1);
}

void DMMChart::resizeEvent(QResizeEvent *event)
{
    plotRect = QRect(leftMargin, topMargin, width() - rightMargin - leftMargin,
                     height() - bottomMargin - topMargin);
    linesLayer = size().isEmpty() ? QPixmap() : QPixmap(size());
    axesDirty = true;
    QFrame::resizeEvent(event);
}

void DMMChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        invalidateAxes();
    QFrame::changeEvent(event);
}

void DMMChart::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        rebuildLayers();
        painter.drawPixmap(0, 0, *pictureLayer);
    }
    QFrame::paintEvent(event);
}

// Brings every dirty layer up to date, each from the one below.
void DMMChart::rebuildLayers()
{
    QMutexLocker locker(&mutex);
    if (linesLayer.isNull()) // not yet resized, or resized to nothing
        return;

    bool rebuilt = false;
    if (axesDirty) {
        axesDirty = false;
        const int count = lines.first()->points.size();
        // The view never reaches beyond the points, whatever happened to them
        // while zoomed.
        if (zoomed && lastIndex >= count)
            zoomed = false;
        if (!zoomed) {
            firstIndex = 0;
            lastIndex = count - 1;
        }
        layoutLines();
        ticks.compute(scale, plotRect, hasData());
        QPainter painter(&linesLayer);
        painter.setFont(font());
        painter.fillRect(0, 0, width(), height(), backgroundColor);
        painter.save();
        drawAxes(painter);
        painter.restore();
        for (const ChartLine *line : qAsConst(lines))
            drawLine(painter, *line);
        rebuilt = true;
    }

    const QPixmap *below = &linesLayer;
    if (selectionDirty || rebuilt) {
        selectionDirty = false;
        if (dragging) {
            QPainter painter;
            overlay(painter, selectionLayer, *below);
            drawSelection(painter);
        }
        rebuilt = true;
    }
    if (dragging)
        below = &selectionLayer;

    if (indicatorDirty || rebuilt) {
        // While the timer runs the indicator may still move or go.
        if (!indicatorTimer->isActive())
            indicatorDirty = false;
        pictureLayer = below;
        if (hasData() && indicatorVisible) {
            QPainter painter;
            overlay(painter, indicatorLayer, *below);
            painter.setFont(font());
            drawIndicator(painter);
            pictureLayer = &indicatorLayer;
        }
    }
}

void DMMChart::drawAxes(QPainter &painter)
{
    const QFontMetrics fm = painter.fontMetrics();
    const int fh = fm.height();
    const QRect &plot = plotRect;
    const int y0 = scale.zeroRow(plot);

    // Time axis, ticks, grid and labels.
    painter.drawLine(plot.left() - 1, plot.bottom() + 1, plot.right() + 1, plot.bottom() + 1);
    QVector<QLine> marks;
    QVector<QLine> grid;
    QVector<int> tickX;
    for (int i = 0; i < ticks.xTickCount; ++i) {
        const int x = toPixel(i * ticks.xTickPx + plot.left() + 0.5);
        tickX.append(x);
        marks.append(QLine(x, plot.bottom(), x, plot.bottom() + tickLength));
        grid.append(QLine(x, plot.top(), x, plot.bottom()));
    }
    drawTicksAndGrid(painter, marks, grid);
    const QList<ChartPoint *> &points = lines.first()->points;
    for (int i = 0; i < tickX.size(); ++i) {
        const ChartPoint *point = points.value(firstIndex + i * ticks.xTickPoints);
        if (!point)
            break;
        const QString text = point->time.toString(QStringLiteral("hh:mm:ss"));
        const int w = fm.horizontalAdvance(text);
        painter.drawText(QRect(tickX.at(i) - w / 2, plot.bottom() + tickLength + labelGap, w, fh),
                         Qt::AlignCenter, text);
    }

    // Value axis; the ticks run from the zero line up and down, so the zero
    // line is ticked and labelled by both series.
    painter.drawLine(leftMargin - 1, topMargin - 1, leftMargin - 1, plot.bottom() + 1);
    auto drawValueTicks = [&](int count, bool belowZero) {
        QVector<QLine> valueMarks;
        QVector<QLine> valueGrid;
        QVector<int> rows;
        for (int j = 0; j <= count; ++j) {
            const double offset = j * ticks.yTickPx;
            const int y = toPixel(belowZero ? y0 + offset : y0 - offset);
            rows.append(y);
            valueMarks.append(QLine(plot.left(), y, plot.left() - tickLength, y));
            valueGrid.append(QLine(plot.left(), y, plot.left() + plot.width(), y));
        }
        drawTicksAndGrid(painter, valueMarks, valueGrid);
        for (int j = 0; j <= count; ++j) {
            const QString text = valueLabel(j * ticks.yTickValue, decimals, belowZero);
            const int w = fm.horizontalAdvance(text);
            painter.drawText(QRect(plot.left() - tickLength - w - labelGap, rows.at(j) - fh / 2, w, fh),
                             Qt::AlignCenter, text);
        }
    };
    drawValueTicks(ticks.yTickCountUp, false);
    drawValueTicks(ticks.yTickCountDown, true);

    // The value title reads upward, centred on the plot's vertical middle,
    // left of the widest expected label, never pushed out of the widget by a
    // large font.
    const int yTitleWidth = fm.horizontalAdvance(yTitle);
    const int tx = (leftMargin - fm.horizontalAdvance(QStringLiteral("000.0k "))) / 2 - fh / 2;
    const int ty = yTitleWidth / 2 + plot.height() / 2 + plot.top();
    drawUpwardTitle(painter, std::max(0, tx), ty, yTitle);

    painter.drawText(QRect(plot.left() + plot.width() / 2 - yTitleWidth,
                           plot.bottom() + fh + (bottomMargin - fh) / 2,
                           fm.horizontalAdvance(xTitle), fh),
                     Qt::AlignCenter, xTitle);
}

void DMMChart::drawLine(QPainter &painter, const ChartLine &line)
{
    // A plot without area shows no curve.
    if (line.points.isEmpty() || plotRect.width() <= 0 || plotRect.height() <= 0)
        return;
    painter.setPen(line.color);
    painter.drawPolyline(curvePolyline(line.values, firstIndex, lastIndex, plotRect, scale));
}

void DMMChart::drawSelection(QPainter &painter)
{
    const QPoint origin = plotRect.topLeft();
    const QPolygon corners({origin + selStart, origin + QPoint(selEnd.x(), selStart.y()),
                            origin + selEnd, origin + QPoint(selStart.x(), selEnd.y())});
    painter.setPen(Qt::DotLine);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(corners, Qt::OddEvenFill);
}

void DMMChart::drawIndicator(QPainter &painter)
{
    const PointOffsets &pointX = lines.first()->pointX;
    if (!hasData() || indicatorIndex == -1 || pointX.isEmpty())
        return;
    // Fewer points on view than before (a shorter item was loaded): the last one.
    indicatorIndex = std::min(indicatorIndex, int(pointX.size()) - 1);

    const QFontMetrics fm = painter.fontMetrics();
    const int fh = fm.height();
    painter.setPen(indicatorColor);
    int x = plotRect.left() + pointX.at(indicatorIndex);
    painter.drawLine(x, plotRect.top(), x, plotRect.bottom());

    int y = plotRect.top();
    for (const ChartLine *line : qAsConst(lines)) {
        const ChartPoint *point = line->points.value(firstIndex + indicatorIndex);
        if (!point)
            continue;
        const QString text = QStringLiteral("%1:%2\r\n")
                                 .arg(point->time.toString(QStringLiteral("hh:mm:ss")),
                                      point->label.toString());
        const int w = fm.horizontalAdvance(text);
        // Beside the line, on its left near the plot's right edge.
        x = x + 2 + w >= plotRect.right() ? x - 2 - w : x + 2;
        painter.drawText(QRect(x, y - fh, w, fh), Qt::AlignCenter, text);
        y = y - fh + 1;
    }
}

QPoint DMMChart::plotPosition(const QPoint &widgetPos) const
{
    return QPoint(std::clamp(widgetPos.x() - plotRect.left(), 0, std::max(0, plotRect.width())),
                  std::clamp(widgetPos.y() - plotRect.top(), 0, std::max(0, plotRect.height())));
}

void DMMChart::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = plotPosition(event->pos());
    if (dragging) {
        selEnd = pos;
        selectionDirty = true;
        update();
    } else {
        const int k = indexAtX(pos.x());
        const bool changed = k != indicatorIndex && k != -1;
        indicatorVisible = changed;
        if (changed) {
            indicatorIndex = k;
            indicatorTimer->start(indicatorMs);
            indicatorDirty = true;
            update();
        }
    }
    QFrame::mouseMoveEvent(event);
}

void DMMChart::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && hasData()) {
        indicatorIndex = -1;
        indicatorVisible = false;
        update();
        if (!dragging) {
            dragging = true;
            // Both corners start here, so a click without a drag is not
            // judged against the rectangle of an earlier drag.
            selStart = plotPosition(event->pos());
            selEnd = selStart;
            // The selection layer is shown from now on: it must not show an
            // earlier drag.
            selectionDirty = true;
        }
    }
    QFrame::mousePressEvent(event);
}

void DMMChart::mouseReleaseEvent(QMouseEvent *event)
{
    if (dragging) {
        const ZoomSelection selection = resolveSelection(lines.first()->pointX, selStart, selEnd);
        switch (selection.action) {
        case ZoomSelection::Zoom:
            // Counted from the current view, so a zoom while zoomed narrows it.
            zoomed = true;
            lastIndex = firstIndex + selection.last;
            firstIndex += selection.first;
            break;
        case ZoomSelection::ShowAll:
            zoomed = false;
            break;
        case ZoomSelection::Keep:
            break;
        }
        dragging = false;
        invalidateAxes();
    }
    QFrame::mouseReleaseEvent(event);
}

void DMMChart::slotTmrIndicatorTimeout()
{
    indicatorVisible = false;
    update();
}
