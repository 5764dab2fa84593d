#include "pdfreport.h"

#include "reportcolumn.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPdfWriter>
#include <QVector>

#include <type_traits>

namespace {
const QString timeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

QString cellText(const QVariant &value)
{
    switch (value.type()) {
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong:
    case QVariant::ULongLong:
    case QVariant::Double:
    case QVariant::Char:
        return QString::number(value.toInt(), 10);
    case QVariant::String:
        return value.toString();
    case QVariant::DateTime:
        return value.toDateTime().toString(timeFormat);
    default:
        return value.toString();
    }
}

// Draws a heading with its baseline at y and the picture below it, scaled to
// the given height with its aspect ratio kept, and returns the height drawn.
// The picture goes into the document at its own resolution and is scaled by
// the viewer: enlarged to the writer's resolution it would be many times
// larger, slower to write and no sharper.
template<typename Picture>
int drawHeaded(QPainter &painter, int y, int lineHeight, const QString &heading, const Picture &picture, int height)
{
    painter.drawText(0, y, heading);
    if (picture.isNull() || height <= 0)
        return 0;
    const QRect target(0, y + lineHeight, qRound(double(picture.width()) * height / picture.height()), height);
    if constexpr (std::is_same_v<Picture, QImage>)
        painter.drawImage(target, picture);
    else
        painter.drawPixmap(target, picture);
    return height;
}
}

PdfReport::PdfReport(const QAbstractItemModel &model, const QList<ReportColumn *> &columns)
    : model(model)
    , columns(columns)
{
}

bool PdfReport::write(QIODevice *device)
{
    QPdfWriter writer(device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;

    const int h0 = painter.fontMetrics().height();
    const int width = writer.width();
    const int height = writer.height();
    rowHeight = 2 * h0;
    margin = width / 20;
    right = width - margin;
    rowsPerTablePage = qMax(1, (height - 5 * rowHeight) / rowHeight);
    const int n = model.rowCount();
    tablePages = n / rowsPerTablePage + (n % rowsPerTablePage ? 1 : 0);

    QFont font = painter.font();
    font.setPointSize(12);
    painter.setFont(font);
    const int h = painter.fontMetrics().height();

    drawFirstPage(painter, height / 3 - 4 * h, h);
    if (tablePages >= 1)
        writer.newPage();

    QPen pen = painter.pen();
    pen.setWidth(2);
    painter.setPen(pen);
    for (int page = 0; page < tablePages; ++page) {
        drawTablePage(painter, page);
        if (page < tablePages - 1)
            writer.newPage();
    }
    return painter.end();
}

void PdfReport::drawFirstPage(QPainter &painter, int pictureHeight, int lineHeight)
{
    int y = lineHeight;
    int drawn = 0;
    if (!sceneFile.isEmpty() && QFileInfo::exists(sceneFile)) {
        drawn = drawHeaded(painter, y, lineHeight, tr("Scene picture:"), QImage(sceneFile), pictureHeight);
        y += lineHeight;
    }
    y += 2 * lineHeight + drawn;
    drawn = 0;
    if (!histogram.isNull()) {
        drawn = drawHeaded(painter, y, lineHeight, tr("Histogram:"), histogram, pictureHeight);
        y += lineHeight;
    }
    y += 2 * lineHeight + drawn;
    if (!chart.isNull())
        drawHeaded(painter, y, lineHeight, tr("Chart:"), chart, pictureHeight);
    drawPageNumber(painter, 1);
}

void PdfReport::drawPageNumber(QPainter &painter, int page)
{
    const QString text = QStringLiteral("%1/%2").arg(page).arg(tablePages + 1);
    const int textWidth = painter.fontMetrics().horizontalAdvance(text);
    painter.drawText(QRect(right - textWidth, rowHeight * (rowsPerTablePage + 4), textWidth, rowHeight),
                     Qt::AlignRight | Qt::AlignBottom, text);
}

void PdfReport::drawTablePage(QPainter &painter, int page)
{
    const int L = rowHeight;
    const int first = page * rowsPerTablePage;
    const int k = qMin(rowsPerTablePage, model.rowCount() - first);

    const QString date = QDateTime::currentDateTime().toString(timeFormat);
    const int dateWidth = painter.fontMetrics().horizontalAdvance(date);
    painter.drawText(QRect(right - dateWidth, 0, dateWidth, 3 * L), Qt::AlignBottom, date);
    drawPageNumber(painter, page + 2);
    painter.drawLine(margin, 3 * L, right, 3 * L);
    painter.drawLine(margin, 4 * L, right, 4 * L);

    int weights = 0;
    for (const ReportColumn *column : columns)
        weights += column->weight;
    const double scale = double(right - margin) / weights;
    QVector<int> widths;
    for (const ReportColumn *column : columns)
        widths.append(int(column->weight * scale));

    QVector<QLine> rules;
    int x = margin;
    for (int c = 0; c < columns.size(); ++c) {
        rules.append(QLine(x, 3 * L, x, L * (k + 4)));
        painter.drawText(QRect(x, 3 * L, widths.at(c), L), Qt::AlignCenter, columns.at(c)->title);
        x += widths.at(c);
    }
    rules.append(QLine(right, 3 * L, right, L * (k + 4)));
    painter.drawLines(rules);

    rules.clear();
    for (int j = 0; j < k; ++j) {
        const int y = L * (4 + j);
        x = margin;
        for (int c = 0; c < columns.size(); ++c) {
            const QString text = cellText(model.data(model.index(first + j, c)));
            painter.drawText(QRect(x, y, widths.at(c), L), Qt::AlignHCenter | Qt::AlignBottom, text);
            rules.append(QLine(x, y + L, right, y + L));
            x += widths.at(c);
        }
    }
    painter.drawLines(rules);
}
