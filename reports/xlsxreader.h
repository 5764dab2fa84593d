#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class SheetGrid;
class XmlScanner;
class ZipArchive;

// Reads the first worksheet of an Office Open XML workbook (.xlsx) held in
// memory: shared and inline strings, numbers, booleans, and numbers whose
// number format is a date format as date-times. Malformed or oversized
// content fails the whole read; nothing is guessed.
class XlsxReader
{
public:
    // The largest part inflated; larger parts fail the read.
    static constexpr qint64 maxPartSize = 128 * 1024 * 1024;

    // Fills grid; returns false with errorString() set when the data is no
    // readable workbook.
    bool read(const QByteArray &data, SheetGrid *grid);
    QString errorString() const { return error; }

private:
    struct Relationship
    {
        QString id;
        QString type;
        QString target;
    };

    bool fail(const QString &message);
    bool readPart(const ZipArchive &zip, const QString &name, QByteArray *contents);
    bool readRelationships(const ZipArchive &zip, const QString &part, QVector<Relationship> *list);
    bool readWorkbook(const QByteArray &xml, QString *firstSheetId);
    bool readSharedStrings(const QByteArray &xml);
    bool readStyles(const QByteArray &xml);
    bool readSheet(const QByteArray &xml, SheetGrid *grid);
    bool readCell(XmlScanner &xml, int *row, int *column, SheetGrid *grid);
    QByteArray readText(XmlScanner &xml);
    bool xmlFailed(const XmlScanner &xml, const QString &part);

    QString error;
    QStringList sharedStrings;
    QVector<bool> dateStyles;
    bool date1904 = false;
};
