#pragma once

#include <QVariant>
#include <QVector>

#include <climits>

// The cells of one worksheet, added in any order, turned into the rows of its
// used range: the rectangle from the first to the last row and column that
// hold a value. Each row has one cell per column of that range, an invalid
// QVariant where the sheet holds nothing, and is cut after keptColumns
// columns. Memory grows with the cells added, not with the size of the range:
// rows without any value share one blank row.
class SheetGrid
{
public:
    using Row = QVector<QVariant>;

    // The limits of a worksheet; a reference beyond them is malformed.
    static constexpr int maxRows = 1048576;
    static constexpr int maxColumns = 16384;

    explicit SheetGrid(int keptColumns);

    // Row and column count from 0. Returns false, and keeps nothing, for a
    // position outside the limits. A later value at the same position wins.
    bool setCell(int row, int column, const QVariant &value);
    bool isEmpty() const { return lastRow < 0; }
    QVector<Row> rows() const;

private:
    struct Cell
    {
        int row;
        int column;
        QVariant value;
    };

    int keptColumns;
    QVector<Cell> cells;
    int firstRow = INT_MAX;
    int lastRow = -1;
    int firstColumn = INT_MAX;
    int lastColumn = -1;
};
