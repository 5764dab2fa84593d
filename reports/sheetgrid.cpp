#include "sheetgrid.h"

#include <algorithm>

SheetGrid::SheetGrid(int keptColumns)
    : keptColumns(qMax(1, keptColumns))
{
}

bool SheetGrid::setCell(int row, int column, const QVariant &value)
{
    if (row < 0 || row >= maxRows || column < 0 || column >= maxColumns)
        return false;
    firstRow = qMin(firstRow, row);
    lastRow = qMax(lastRow, row);
    firstColumn = qMin(firstColumn, column);
    lastColumn = qMax(lastColumn, column);
    // The first column can only move left, so a cell this far to the right
    // of it can never fall into the kept columns.
    if (column - firstColumn < keptColumns)
        cells.append({row, column, value});
    return true;
}

QVector<SheetGrid::Row> SheetGrid::rows() const
{
    if (isEmpty())
        return {};
    const int width = qMin(lastColumn - firstColumn + 1, keptColumns);
    const Row blank(width);
    QVector<Row> result(lastRow - firstRow + 1, blank);
    for (const Cell &cell : cells) {
        const int column = cell.column - firstColumn;
        if (column < width)
            result[cell.row - firstRow][column] = cell.value;
    }
    return result;
}
