#pragma once

class QPainter;
class QString;

// Draws an axis title reading upward, its start (bottom end) at (x, y).
void drawUpwardTitle(QPainter &painter, int x, int y, const QString &title);
