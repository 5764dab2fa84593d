#pragma once

#include "sheetgrid.h"

#include <QString>
#include <QVector>

// Reads the used range of the first worksheet of a workbook file, an Office
// Open XML workbook (.xlsx) or a legacy Excel workbook (.xls), recognised by
// its contents rather than its name.
class WorkbookReader
{
public:
    // The largest file read.
    static constexpr qint64 maxFileSize = 256 * 1024 * 1024;

    // Rows are cut after keptColumns columns.
    explicit WorkbookReader(int keptColumns);

    // Returns false, with no rows and errorString() set, when the file cannot
    // be read as a workbook.
    bool read(const QString &fileName);
    // The used range, top to bottom; see SheetGrid.
    QVector<SheetGrid::Row> rows() const { return result; }
    QString errorString() const { return error; }

private:
    bool fail(const QString &message);

    int keptColumns;
    QVector<SheetGrid::Row> result;
    QString error;
};
