#include "histogram.h"

#include "charttext.h"
#include "histogrambar.h"
#include "histogrambin.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

const QColor countColor = QColor::fromRgba(0xff0064fa);
constexpr int tickLength = 5;

} // namespace

Histogram::Histogram(QWidget *parent)
    : QWidget(parent)
{
    // The picture covers the whole widget: no background to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Histogram::~Histogram()
{
    qDeleteAll(bars);
    qDeleteAll(bins);
}

void Histogram::invalidate()
{
    dirty = true;
    update();
}

void Histogram::setMargins(int left, int top, int right, int bottom)
{
    leftMargin = left;
    topMargin = top;
    rightMargin = right;
    bottomMargin = bottom;
}

void Histogram::setRanges(const QList<HistogramRange *> &ranges)
{
    qDeleteAll(bars);
    bars.clear();
    qDeleteAll(bins);
    bins.clear();
    for (const HistogramRange *range : ranges) {
        if (!range)
            continue;
        auto *bin = new HistogramBin;
        bin->range = range;
        bin->recount(values);
        bins.append(bin);
        auto *bar = new HistogramBar;
        bar->bin = bin;
        bars.append(bar);
    }
    dirty = true;
}

void Histogram::setXTitle(const QString &title)
{
    if (title == xTitle)
        return;
    xTitle = title;
    invalidate();
}

void Histogram::setYTitle(const QString &title)
{
    if (title == yTitle)
        return;
    yTitle = title;
    invalidate();
}

void Histogram::setDecimals(int value)
{
    if (value == decimals)
        return;
    decimals = value;
    invalidate();
}

// Each value is counted once into the classes, so a long item costs no more
// per value than a short one.
void Histogram::addValue(double value)
{
    values.append(value);
    for (HistogramBin *bin : qAsConst(bins))
        bin->count(value);
    dirty = true;
    addRepaint.request();
}

void Histogram::addValues(const QList<double> &newValues)
{
    values.reserve(values.size() + newValues.size());
    for (double value : newValues) {
        values.append(value);
        for (HistogramBin *bin : qAsConst(bins))
            bin->count(value);
    }
    invalidate();
}

void Histogram::clearValues()
{
    values.clear();
    for (HistogramBin *bin : qAsConst(bins))
        bin->members.clear();
    invalidate();
}

const QPixmap &Histogram::picture() const
{
    return pictureLayer;
}

bool Histogram::savePicture(const QString &fileName) const
{
    return !pictureLayer.isNull() && pictureLayer.save(fileName, nullptr, -1);
}

void Histogram::resizeEvent(QResizeEvent *event)
{
    plotRect = QRectF(0, 0, width() - rightMargin - leftMargin, height() - bottomMargin - topMargin);
    dirty = true;
    QWidget::resizeEvent(event);
}

void Histogram::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        invalidate();
    QWidget::changeEvent(event);
}

void Histogram::layoutBars()
{
    QVector<int> counts;
    counts.reserve(bins.size());
    for (const HistogramBin *bin : qAsConst(bins))
        counts.append(bin->members.size());
    barLayout = HistogramLayout::compute(plotRect.size(), counts);
    for (int m = 0; m < bars.size(); ++m)
        bars.at(m)->rect = barLayout.barRect(m, counts.at(m));
}

void Histogram::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    layoutBars();
    if (dirty && !size().isEmpty()) {
        dirty = false;
        // Drawn over in place: a new buffer per paint costs more than the drawing.
        if (pictureLayer.size() != size())
            pictureLayer = QPixmap(size());
        QPainter layerPainter(&pictureLayer);
        layerPainter.setFont(font());
        drawAxes(layerPainter);
        drawBars(layerPainter);
    }
    painter.drawPixmap(0, 0, pictureLayer);
}

// Origin at the plot's lower-left corner, one unit per pixel, y downward.
void Histogram::toPlotCoordinates(QPainter &painter) const
{
    painter.setWindow(-leftMargin, bottomMargin - height(), width(), height());
}

void Histogram::drawAxes(QPainter &painter)
{
    const QFontMetrics fm = painter.fontMetrics();
    const int fh = fm.height();

    painter.save();
    painter.fillRect(0, 0, width(), height(), Qt::white);
    toPlotCoordinates(painter);
    painter.drawLine(QLineF(-1, 1, plotRect.width(), 1));
    painter.drawLine(QLineF(-1, 1, -1, -plotRect.height()));

    QVector<QLine> marks;
    for (int i = 0, n = barLayout.tickCount(plotRect.width()); i < n; ++i) {
        const QString text = QString::number(qint64(i) * barLayout.countStep);
        const int x = barLayout.tickX(i);
        const int w = fm.horizontalAdvance(text);
        marks.append(QLine(x, 1, x, 1 + tickLength));
        painter.drawText(QRect(x + 1 - w / 2, 2 + tickLength, w, fh), Qt::AlignCenter, text);
    }
    painter.drawLines(marks);

    // Class bounds right-aligned left of each bar, beside its foot and head.
    painter.setPen(Qt::black);
    const int labelWidth = fm.horizontalAdvance(QStringLiteral("0000.0 "));
    const int lastRow = bars.size() - 1;
    for (int m = 0; m < bars.size(); ++m) {
        const QRectF &rect = bars.at(m)->rect;
        const ClassLabels labels = classLabels(*bars.at(m)->bin->range, m, bars.size(), decimals);
        const int lx = int(rect.x() - labelWidth - fm.horizontalAdvance(QLatin1Char(' ')));
        painter.drawText(QRect(lx, int(rect.y() + rect.height() - fh), labelWidth, fh),
                         Qt::AlignRight | Qt::TextDontClip, labels.bottom);
        painter.drawText(QRect(lx, int(rect.y()), labelWidth, fh), Qt::AlignRight | Qt::TextDontClip,
                         labels.top);
        if (m != 0 && m != lastRow && rect.height() >= 3 * fh)
            painter.drawText(QRect(lx, int(rect.y() + rect.height() * 0.5 - fh / 2), labelWidth, fh),
                             Qt::AlignCenter, QStringLiteral("|"));
    }
    painter.restore();

    // The class title reads upward, centred on the plot's vertical middle,
    // never pushed out of the widget by a large font.
    const int yTitleWidth = fm.horizontalAdvance(yTitle);
    const int tx = (leftMargin - fm.horizontalAdvance(QStringLiteral("0000.1"))) / 2 - fh / 2;
    drawUpwardTitle(painter, std::max(0, tx),
                    yTitleWidth / 2 + (height() - bottomMargin - topMargin) / 2 + topMargin, yTitle);
    painter.drawText(QRect(leftMargin + (width() - leftMargin - rightMargin) / 2 - yTitleWidth,
                           (bottomMargin - fh) / 2 - bottomMargin + height() + fh,
                           fm.horizontalAdvance(xTitle), fh),
                     Qt::AlignCenter, xTitle);
}

void Histogram::drawBars(QPainter &painter)
{
    painter.save();
    toPlotCoordinates(painter);
    for (const HistogramBar *bar : qAsConst(bars))
        drawBar(painter, *bar);
    painter.restore();
}

// The bar, with its count inside when it fits, else just beyond its end.
void Histogram::drawBar(QPainter &painter, const HistogramBar &bar)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(bar.color, Qt::SolidPattern));
    painter.drawRects(&bar.rect, 1);

    painter.setPen(countColor);
    const QFontMetrics fm = painter.fontMetrics();
    const QString text = QStringLiteral("%1 ").arg(bar.bin->members.size());
    const int w = fm.horizontalAdvance(text);
    const qreal bw = bar.rect.width();
    if (bw >= w) {
        painter.drawText(bar.rect, Qt::AlignCenter, text);
    } else {
        const int h = fm.horizontalAdvance(QLatin1Char(' ')) / 2;
        painter.drawText(bar.rect.adjusted(bw + h, 0, w + bw + h, 0), Qt::AlignCenter, text);
    }
    painter.restore();
}
