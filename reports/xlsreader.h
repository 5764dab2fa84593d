#pragma once

#include <QString>

class SheetGrid;

// Reads the first worksheet of a legacy Excel workbook (BIFF8 .xls), as the
// earlier versions of the application wrote them: numbers, texts, and date
// and time cells as date-times and times. FreeXL does the reading in the
// helper merido-xlsdump beside the executable, in a process of its own and
// under a time limit, since it is not safe on damaged files.
class XlsReader
{
public:
    static constexpr int timeLimitMs = 10000;
    // The most output taken from the helper.
    static constexpr qint64 maxOutput = 512 * 1024 * 1024;

    static QString helperPath();

    // Fills grid; returns false with errorString() set when the file is no
    // readable workbook.
    bool read(const QString &fileName, SheetGrid *grid);
    QString errorString() const { return error; }

private:
    bool fail(const QString &message);
    bool readLine(const QByteArray &line, SheetGrid *grid);

    QString error;
};
