#include "charttext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

void drawUpwardTitle(QPainter &painter, int x, int y, const QString &title)
{
    const QFontMetrics fm = painter.fontMetrics();
    painter.save();
    painter.translate(x, y);
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, fm.horizontalAdvance(title), fm.height()), Qt::AlignCenter, title);
    painter.restore();
}
