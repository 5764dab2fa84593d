#pragma once

#include "chartscale.h"
#include "chartticks.h"
#include "updatethrottle.h"

#include <QColor>
#include <QFrame>
#include <QList>
#include <QMutex>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

class ChartLine;
class QTimer;
struct ChartPoint;

// The trend chart: the points of its line as a curve of value against time,
// with axes, dotted grid, tick labels and titles. Hovering shows the nearest
// point's time and label; dragging toward the lower right zooms into the
// points under the rectangle, any other drag shows all of them again.
//
// The image is cached in layers, each a copy of the one below plus its own
// drawing: the axes with the curves, the zoom selection, the indicator. A
// change of points, titles, margins, size or zoom rebuilds them all, a drag
// the upper two, a hover only the last. Each layer keeps its buffer, so a
// repaint allocates nothing. GUI thread only.
class DMMChart : public QFrame
{
    Q_OBJECT

public:
    explicit DMMChart(QWidget *parent = nullptr);
    ~DMMChart() override;

    // The margins enter the plot rectangle at the next resize; the value axis
    // line and its title follow setLeftMargin() at once.
    void setLeftMargin(int margin);
    void setBottomMargin(int margin);
    void setXTitle(const QString &title);
    void setYTitle(const QString &title);
    // Decimals of the value labels; shown at the next rebuild of the axes.
    void setDecimals(int decimals);

    // The chart takes ownership of the points. The chart has one line, 0;
    // points for any other line are deleted. While zoomed or dragging the
    // points are stored without a repaint.
    void appendPoint(ChartPoint *point, int line);
    void appendPoints(QList<ChartPoint *> points, int line);
    // Deletes every point and ends a zoom. Never call it from painting.
    void clearPoints();

    bool hasData() const;
    // The point on view nearest to plot offset x, counted from the first
    // point on view; -1 when there is none.
    int indexAtX(int x) const;

    // The image of the last paint; null before the first one.
    const QPixmap &picture() const;
    // Saves picture() in the format the file name's suffix names.
    bool savePicture(const QString &fileName) const;

    // The layout of the last rebuild of the axes.
    bool isZoomed() const { return zoomed; }
    int viewFirst() const { return firstIndex; }
    int viewLast() const { return lastIndex; }
    QRect plotArea() const { return plotRect; }
    const ChartScale &currentScale() const { return scale; }
    const ChartTicks &currentTicks() const { return ticks; }
    const ChartLine *line(int index) const { return lines.value(index); }
    QString yAxisTitle() const { return yTitle; }
    int valueDecimals() const { return decimals; }

public slots:
    void slotTmrIndicatorTimeout();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void pointsAppended();
    void invalidateAxes();
    QPoint plotPosition(const QPoint &widgetPos) const;
    void layoutLines();
    void computeScale();
    void rebuildLayers();
    void drawAxes(QPainter &painter);
    void drawLine(QPainter &painter, const ChartLine &line);
    void drawSelection(QPainter &painter);
    void drawIndicator(QPainter &painter);

    int leftMargin = 60;
    int rightMargin = 20;
    int topMargin = 40;
    int bottomMargin = 40;
    QRect plotRect;
    QList<ChartLine *> lines; // exactly one; owned
    // Background, axes, grid, labels, titles and the curves: the axes never
    // change without the curves, so they share one layer.
    QPixmap linesLayer;
    QPixmap selectionLayer;                    // + the zoom selection, while dragging
    QPixmap indicatorLayer;                    // + the indicator, while shown
    const QPixmap *pictureLayer = &linesLayer; // the top layer: shown and exported
    QTimer *indicatorTimer = nullptr;
    bool axesDirty = true;
    // Repaints after appended points, at most 25 a second.
    UpdateThrottle appendRepaint{40, [this] { update(); }};
    bool indicatorDirty = false;
    bool selectionDirty = false;
    QColor backgroundColor = Qt::white;
    ChartScale scale;
    ChartTicks ticks;
    bool indicatorVisible = false;
    int indicatorIndex = -1; // counted from firstIndex; -1 none
    bool dragging = false;
    bool zoomed = false;
    int firstIndex = 0; // first point on view
    int lastIndex = 0;  // last point on view
    QPoint selStart;    // selection corners, relative to the plot's top-left corner
    QPoint selEnd;
    QMutex mutex; // held while the layers are painted and while points are cleared
    QColor indicatorColor = QColor(0, 100, 250);
    QString xTitle;
    QString yTitle;
    int decimals = 1;
};
