#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QAbstractItemModel;

// Writes a table model as the first worksheet of an Office Open XML workbook
// (.xlsx): a header row, then one row per model row with the display values
// of its cells, each column as numbers, date-times or texts. Columns are
// sized to their contents.
class WorkbookWriter
{
public:
    enum ColumnKind {
        Number,
        // Date-times, or texts "yyyy-MM-dd hh:mm:ss", written as date-time
        // cells in that format; other texts stay texts.
        DateTime,
        // Texts exactly as shown, blanks included, in cells formatted as text.
        Text
    };

    WorkbookWriter(const QStringList &header, const QVector<ColumnKind> &kinds);

    // Returns false with errorString() set when the file could not be
    // written; then no partly written file is left behind.
    bool write(const QString &fileName, const QAbstractItemModel &model);
    QString errorString() const { return error; }

private:
    QStringList header;
    QVector<ColumnKind> kinds;
    QString error;
};
