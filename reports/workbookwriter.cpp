#include "workbookwriter.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QFile>

#include <xlsxwriter.h>

namespace {
const char dateTimeFormat[] = "yyyy-mm-dd hh:mm:ss";
const int dateTimeWidth = 19;

lxw_datetime toLxw(const QDate &date, const QTime &time)
{
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), double(time.second())};
}

// The text "yyyy-MM-dd hh:mm:ss" as a date-time. Read by hand: the export
// parses one per row, and QDateTime::fromString is slow at that.
bool parseDateTime(const QString &text, lxw_datetime *result)
{
    static const char pattern[] = "0000-00-00 00:00:00";
    if (text.size() != int(sizeof pattern) - 1)
        return false;
    int field[6] = {};
    int n = 0;
    for (int i = 0; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (pattern[i] != '0') {
            if (c != ushort(pattern[i]))
                return false;
            ++n;
        } else if (c >= '0' && c <= '9') {
            field[n] = field[n] * 10 + (c - '0');
        } else {
            return false;
        }
    }
    const QDate date(field[0], field[1], field[2]);
    const QTime time(field[3], field[4], field[5]);
    if (!date.isValid() || !time.isValid())
        return false;
    *result = toLxw(date, time);
    return true;
}

bool toDateTime(const QVariant &value, lxw_datetime *result)
{
    if (value.type() != QVariant::DateTime)
        return parseDateTime(value.toString(), result);
    const QDateTime time = value.toDateTime();
    if (!time.isValid())
        return false;
    *result = toLxw(time.date(), time.time());
    return true;
}
}

WorkbookWriter::WorkbookWriter(const QStringList &header, const QVector<ColumnKind> &kinds)
    : header(header)
    , kinds(kinds)
{
}

bool WorkbookWriter::write(const QString &fileName, const QAbstractItemModel &model)
{
    error.clear();
    const QByteArray path = QFile::encodeName(fileName);
    // Rows go to a temporary file as they are written, so memory stays flat
    // however long the table is.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(path.constData(), &options);
    if (!workbook) {
        error = QStringLiteral("cannot create the workbook");
        return false;
    }
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format *dateFormat = workbook_add_format(workbook);
    format_set_num_format(dateFormat, dateTimeFormat);
    lxw_format *textFormat = workbook_add_format(workbook);
    format_set_num_format(textFormat, "@");

    const int columns = kinds.size();
    QVector<int> widths(columns, 0);
    lxw_error result = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (int c = 0; c < columns && result == LXW_NO_ERROR; ++c) {
        const QString title = header.value(c);
        widths[c] = title.size();
        result = worksheet_write_string(sheet, 0, lxw_col_t(c), title.toUtf8().constData(), nullptr);
    }
    const int rows = model.rowCount();
    for (int r = 0; r < rows && result == LXW_NO_ERROR; ++r) {
        const lxw_row_t row = lxw_row_t(r) + 1;
        for (int c = 0; c < columns && result == LXW_NO_ERROR; ++c) {
            const QVariant value = model.data(model.index(r, c));
            const lxw_col_t column = lxw_col_t(c);
            lxw_datetime dateTime;
            if (kinds.at(c) == Number && value.type() != QVariant::String && value.canConvert<double>()) {
                const QString text = value.toString();
                widths[c] = qMax(widths[c], text.size());
                result = worksheet_write_number(sheet, row, column, value.toDouble(), nullptr);
            } else if (kinds.at(c) == DateTime && toDateTime(value, &dateTime)) {
                widths[c] = qMax(widths[c], dateTimeWidth);
                result = worksheet_write_datetime(sheet, row, column, &dateTime, dateFormat);
            } else {
                const QString text = value.toString();
                widths[c] = qMax(widths[c], text.size());
                if (!text.isEmpty())
                    result = worksheet_write_string(sheet, row, column, text.toUtf8().constData(),
                                                    kinds.at(c) == Text ? textFormat : nullptr);
            }
        }
    }
    for (int c = 0; c < columns && result == LXW_NO_ERROR; ++c)
        result = worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), qMin(widths[c] + 2, 255), nullptr);

    const lxw_error closed = workbook_close(workbook);
    if (result == LXW_NO_ERROR)
        result = closed;
    if (result == LXW_NO_ERROR)
        return true;
    error = QString::fromUtf8(lxw_strerror(result));
    // A file that could not be created was never touched; anything else
    // written is incomplete.
    if (closed != LXW_ERROR_CREATING_XLSX_FILE)
        QFile::remove(fileName);
    return false;
}
