#include "workbookreader.h"

#include "xlsreader.h"
#include "xlsxreader.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QByteArray zipMagic("PK\x03\x04", 4);
const QByteArray compoundFileMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}

WorkbookReader::WorkbookReader(int keptColumns)
    : keptColumns(keptColumns)
{
}

bool WorkbookReader::fail(const QString &message)
{
    error = message;
    result.clear();
    return false;
}

bool WorkbookReader::read(const QString &fileName)
{
    error.clear();
    result.clear();
    if (!QFileInfo(fileName).isFile())
        return fail(QStringLiteral("not a file"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    if (file.size() > maxFileSize)
        return fail(QStringLiteral("the file is larger than %1 bytes").arg(maxFileSize));
    const QByteArray start = file.peek(compoundFileMagic.size());

    SheetGrid grid(keptColumns);
    if (start.startsWith(zipMagic)) {
        const QByteArray data = file.readAll();
        if (data.size() != file.size())
            return fail(file.errorString());
        XlsxReader reader;
        if (!reader.read(data, &grid))
            return fail(reader.errorString());
    } else if (start == compoundFileMagic) {
        file.close();
        XlsReader reader;
        if (!reader.read(fileName, &grid))
            return fail(reader.errorString());
    } else {
        return fail(QStringLiteral("neither an .xlsx nor an .xls workbook"));
    }
    result = grid.rows();
    return true;
}
