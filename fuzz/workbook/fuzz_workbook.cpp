// Feeds the workbook readers. The first byte of an input picks the form:
// 'F' takes the rest as a whole file (.xlsx or .xls); anything else wraps
// the rest, split at 0xFF bytes, as the sheet, shared strings, styles and
// workbook parts of an uncompressed .xlsx, so that mutations reach the XML
// readers instead of failing the archive's checksums.
#include "reports/workbookreader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QPair>

#include <unistd.h>
#include <zlib.h>

#include <cstdint>

namespace {
const QByteArray defaultWorkbook =
    "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet r:id=\"rId1\"/></sheets></workbook>";
const QByteArray workbookRelationships =
    "<Relationships>"
    "<Relationship Id=\"rId1\" Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"x/styles\" Target=\"/xl/styles.xml\"/>"
    "</Relationships>";

void append16(QByteArray &out, quint32 value)
{
    out.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

void append32(QByteArray &out, quint32 value)
{
    append16(out, value & 0xffff);
    append16(out, value >> 16);
}

// A zip archive of stored (uncompressed) members.
QByteArray storedZip(const QList<QPair<QByteArray, QByteArray>> &members)
{
    QByteArray archive;
    QByteArray directory;
    for (const auto &member : members) {
        const quint32 crc = crc32(0, reinterpret_cast<const Bytef *>(member.second.constData()), uInt(member.second.size()));
        const quint32 offset = quint32(archive.size());
        QByteArray common;
        append16(common, 20); // version needed
        append16(common, 0);  // flags
        append16(common, 0);  // stored
        append32(common, 0);  // time and date
        append32(common, crc);
        append32(common, quint32(member.second.size()));
        append32(common, quint32(member.second.size()));
        append16(common, quint32(member.first.size()));
        append16(common, 0); // extra field
        archive.append("PK\x03\x04", 4).append(common).append(member.first).append(member.second);
        directory.append("PK\x01\x02", 4);
        append16(directory, 20); // version made by
        directory.append(common);
        append16(directory, 0); // comment
        append16(directory, 0); // disk
        append16(directory, 0); // internal attributes
        append32(directory, 0); // external attributes
        append32(directory, offset);
        directory.append(member.first);
    }
    const quint32 directoryOffset = quint32(archive.size());
    archive.append(directory);
    archive.append("PK\x05\x06", 4);
    append32(archive, 0);
    append16(archive, quint32(members.size()));
    append16(archive, quint32(members.size()));
    append32(archive, quint32(directory.size()));
    append32(archive, directoryOffset);
    append16(archive, 0);
    return archive;
}
}

// The .xls reader finds its helper beside the executable.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, int(size - 1));
    QByteArray file = rest;
    if (data[0] != 'F') {
        const QList<QByteArray> parts = rest.split('\xff');
        file = storedZip({{"xl/workbook.xml", parts.value(3, defaultWorkbook)},
                          {"xl/_rels/workbook.xml.rels", workbookRelationships},
                          {"xl/worksheets/sheet1.xml", parts.value(0)},
                          {"xl/sharedStrings.xml", parts.value(1)},
                          {"xl/styles.xml", parts.value(2)}});
    }
    static const QString path = QStringLiteral("/tmp/merido-fuzz-%1.bin").arg(getpid());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file) != file.size())
        return 0;
    out.close();
    WorkbookReader reader(5);
    if (reader.read(path)) {
        for (const SheetGrid::Row &row : reader.rows()) {
            for (const QVariant &cell : row)
                cell.toString();
        }
    }
    return 0;
}
