#pragma once

#include <QString>

class SheetGrid;

// Reads the first worksheet of a legacy Excel workbook (BIFF8 .xls), as the
// earlier versions of the application wrote them: numbers, texts, and date
// and time cells as date-times and times.
class XlsReader
{
public:
    // Fills grid; returns false with errorString() set when the file is no
    // readable workbook.
    bool read(const QString &fileName, SheetGrid *grid);
    QString errorString() const { return error; }

private:
    QString error;
};
