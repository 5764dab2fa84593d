#include "xlsreader.h"

#include "sheetgrid.h"

#include <QDateTime>
#include <QFile>
#include <QVariant>

#include <freexl.h>

namespace {
QVariant cellValue(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return double(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return cell.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QString::fromUtf8(cell.value.text_value);
    case FREEXL_CELL_DATE:
        return QDateTime(QDate::fromString(QString::fromLatin1(cell.value.text_value), Qt::ISODate), QTime(0, 0));
    case FREEXL_CELL_DATETIME:
        return QDateTime::fromString(QString::fromLatin1(cell.value.text_value), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case FREEXL_CELL_TIME:
        return QTime::fromString(QString::fromLatin1(cell.value.text_value), QStringLiteral("hh:mm:ss"));
    default:
        return QVariant();
    }
}
}

bool XlsReader::read(const QString &fileName, SheetGrid *grid)
{
    error.clear();
    const void *handle = nullptr;
    const int opened = freexl_open(QFile::encodeName(fileName).constData(), &handle);
    if (opened != FREEXL_OK) {
        // FreeXL leaves a handle to close behind some failures.
        if (handle)
            freexl_close(handle);
        error = QStringLiteral("not a readable .xls workbook (FreeXL error %1)").arg(opened);
        return false;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    int result = freexl_select_active_worksheet(handle, 0);
    if (result == FREEXL_OK)
        result = freexl_worksheet_dimensions(handle, &rows, &columns);
    for (unsigned int row = 0; result == FREEXL_OK && row < rows; ++row) {
        for (unsigned short column = 0; result == FREEXL_OK && column < columns; ++column) {
            FreeXL_CellValue cell;
            result = freexl_get_cell_value(handle, row, column, &cell);
            if (result != FREEXL_OK)
                break;
            const QVariant value = cellValue(cell);
            if (value.isValid() && !grid->setCell(int(row), int(column), value))
                result = FREEXL_ILLEGAL_CELL_ROW_COL;
        }
    }
    freexl_close(handle);
    if (result != FREEXL_OK) {
        error = QStringLiteral("unreadable worksheet (FreeXL error %1)").arg(result);
        return false;
    }
    return true;
}
