#pragma once

#include "histogramlayout.h"
#include "histogramrange.h" // callers build the classes with this header alone
#include "updatethrottle.h"

#include <QList>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QVector>
#include <QWidget>

struct HistogramBar;
struct HistogramBin;

// Counts values into classes and draws one horizontal bar per class, the
// lowest class at the bottom, each as long as its count, with the count on
// or beside it. The image is cached and redrawn only after a change of
// values, classes, titles, decimals, font or size. Axes and bars share the
// cache: a new value may change the count axis as well as its bar.
class Histogram : public QWidget
{
    Q_OBJECT

public:
    explicit Histogram(QWidget *parent = nullptr);
    ~Histogram() override;

    // Space around the plot; takes effect at the next resize.
    void setMargins(int left, int top, int right, int bottom);
    // The classes, lowest first. The histogram keeps the pointers but does not
    // own the ranges; it never reads them once it is being destroyed.
    void setRanges(const QList<HistogramRange *> &ranges);
    void setXTitle(const QString &title);
    void setYTitle(const QString &title);
    // Decimals of the class bounds in the labels.
    void setDecimals(int decimals);

    void addValue(double value);
    void addValues(const QList<double> &values);
    void clearValues();

    // The bin of class row, or nullptr.
    const HistogramBin *bin(int row) const { return bins.value(row); }
    int valueCount() const { return values.size(); }
    QString yAxisTitle() const { return yTitle; }
    int valueDecimals() const { return decimals; }

    // The image of the last paint; null before the first one.
    const QPixmap &picture() const;
    // Saves picture() in the format the file name's suffix names.
    bool savePicture(const QString &fileName) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void invalidate();
    void layoutBars();
    void toPlotCoordinates(QPainter &painter) const;
    void drawAxes(QPainter &painter);
    void drawBars(QPainter &painter);
    void drawBar(QPainter &painter, const HistogramBar &bar);

    int leftMargin = 20;
    int topMargin = 20;
    int rightMargin = 20;
    int bottomMargin = 20;
    QRectF plotRect;
    QVector<double> values;
    QList<HistogramBin *> bins; // one per range, owned
    QList<HistogramBar *> bars; // one per range, owned
    bool dirty = true;
    // Repaints after added values, at most 25 a second.
    UpdateThrottle addRepaint{40, [this] { update(); }};
    QPixmap pictureLayer; // axes, ticks, class labels, titles and bars; shown and exported
    HistogramLayout barLayout;
    QString xTitle;
    QString yTitle;
    int decimals = 1;
};
