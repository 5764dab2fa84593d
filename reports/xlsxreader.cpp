#include "xlsxreader.h"

#include "sheetgrid.h"
#include "ziparchive.h"

#include <QDateTime>
#include <QHash>
#include <QDir>
#include <QXmlStreamReader>

#include <cmath>

namespace {
const QString rootRelationships = QStringLiteral("_rels/.rels");
const QString defaultWorkbook = QStringLiteral("xl/workbook.xml");
// The last day a workbook can hold, 9999-12-31, as a serial number.
const double lastSerial = 2958466;

bool isNamed(const QXmlStreamReader &xml, const char *name)
{
    return xml.name() == QLatin1String(name);
}

// A target of a relationship, relative to the folder of the part that owns
// it, or absolute from the package root; empty when it leaves the package.
QString resolveTarget(const QString &owner, const QString &target)
{
    QString path = target.startsWith(QLatin1Char('/'))
                       ? target.mid(1)
                       : owner.section(QLatin1Char('/'), 0, -2, QString::SectionIncludeTrailingSep) + target;
    path = QDir::cleanPath(path);
    if (path.startsWith(QLatin1String("..")) || path.startsWith(QLatin1Char('/')))
        return QString();
    return path;
}

QString relationshipsOf(const QString &part)
{
    if (part.isEmpty())
        return rootRelationships;
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// A number format shows a date or time when it is one of the built-in date
// formats or its code has a date or time letter outside quoted text,
// bracketed colours and conditions, and escaped characters.
bool isDateFormat(int id, const QString &code)
{
    if (code.isEmpty())
        return (id >= 14 && id <= 22) || (id >= 45 && id <= 47);
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('"')) {
            i = code.indexOf(QLatin1Char('"'), i + 1);
        } else if (c == QLatin1Char('[')) {
            i = code.indexOf(QLatin1Char(']'), i + 1);
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (QStringLiteral("yYmMdDhHsS").contains(c)) {
            return true;
        }
        if (i < 0)
            return false;
    }
    return false;
}

// "B12" as column 1, row 11; false for anything else or beyond the sheet.
bool parseReference(const QStringRef &reference, int *row, int *column)
{
    int i = 0;
    int col = 0;
    while (i < reference.size() && i < 4 && reference.at(i) >= QLatin1Char('A') && reference.at(i) <= QLatin1Char('Z'))
        col = col * 26 + (reference.at(i++).unicode() - 'A' + 1);
    if (i == 0 || col > SheetGrid::maxColumns)
        return false;
    bool ok = false;
    const QStringRef digits = reference.mid(i);
    const int r = digits.size() <= 7 && !digits.startsWith(QLatin1Char('+')) ? digits.toInt(&ok) : 0;
    if (!ok || r < 1 || r > SheetGrid::maxRows)
        return false;
    *row = r - 1;
    *column = col - 1;
    return true;
}

// The next token; a document type declaration is an error, since workbook
// parts never carry one and its entities are not worth expanding.
QXmlStreamReader::TokenType next(QXmlStreamReader &xml)
{
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::DTD)
        xml.raiseError(QStringLiteral("document type declarations are not accepted"));
    return token;
}

QDateTime fromSerial(double serial, bool date1904)
{
    // Day 60 is the 29th of February 1900, which never was: the days before
    // it are counted from one day later.
    QDate epoch = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, serial < 60 ? 31 : 30);
    qint64 days = qint64(std::floor(serial));
    qint64 ms = std::llround((serial - double(days)) * 86400000.0);
    if (ms >= 86400000) {
        ++days;
        ms -= 86400000;
    }
    return QDateTime(epoch.addDays(days), QTime(0, 0).addMSecs(int(ms)));
}
}

bool XlsxReader::fail(const QString &message)
{
    error = message;
    return false;
}

bool XlsxReader::xmlFailed(const QXmlStreamReader &xml, const QString &part)
{
    if (!xml.hasError())
        return false;
    fail(QStringLiteral("%1: %2 (line %3)").arg(part, xml.errorString()).arg(xml.lineNumber()));
    return true;
}

bool XlsxReader::readPart(const ZipArchive &zip, const QString &name, QByteArray *contents)
{
    if (zip.read(name, maxPartSize, contents))
        return true;
    return fail(QStringLiteral("%1: missing, damaged or larger than %2 bytes").arg(name).arg(maxPartSize));
}

bool XlsxReader::read(const QByteArray &data, SheetGrid *grid)
{
    error.clear();
    sharedStrings.clear();
    dateStyles.clear();
    date1904 = false;

    const ZipArchive zip(data);
    if (!zip.isOpen())
        return fail(QStringLiteral("not a zip archive"));

    QVector<Relationship> relationships;
    if (!readRelationships(zip, QString(), &relationships))
        return false;
    QString workbook = defaultWorkbook;
    for (const Relationship &r : relationships) {
        if (r.type.endsWith(QLatin1String("/officeDocument")))
            workbook = resolveTarget(QString(), r.target);
    }
    QByteArray xml;
    QString sheetId;
    if (!readPart(zip, workbook, &xml) || !readWorkbook(xml, &sheetId))
        return false;

    relationships.clear();
    if (!readRelationships(zip, workbook, &relationships))
        return false;
    QString sheet;
    for (const Relationship &r : relationships) {
        const QString target = resolveTarget(workbook, r.target);
        if (r.id == sheetId) {
            sheet = target;
        } else if (r.type.endsWith(QLatin1String("/sharedStrings"))) {
            if (!readPart(zip, target, &xml) || !readSharedStrings(xml))
                return false;
        } else if (r.type.endsWith(QLatin1String("/styles"))) {
            if (!readPart(zip, target, &xml) || !readStyles(xml))
                return false;
        }
    }
    if (sheet.isEmpty())
        return fail(QStringLiteral("the workbook names no worksheet"));
    return readPart(zip, sheet, &xml) && readSheet(xml, grid);
}

bool XlsxReader::readRelationships(const ZipArchive &zip, const QString &part, QVector<Relationship> *list)
{
    const QString name = relationshipsOf(part);
    if (!zip.contains(name))
        return true;
    QByteArray data;
    if (!readPart(zip, name, &data))
        return false;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (next(xml) != QXmlStreamReader::StartElement || !isNamed(xml, "Relationship"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.value(QLatin1String("TargetMode")) == QLatin1String("External"))
            continue;
        list->append({attributes.value(QLatin1String("Id")).toString(),
                      attributes.value(QLatin1String("Type")).toString(),
                      attributes.value(QLatin1String("Target")).toString()});
    }
    return !xmlFailed(xml, name);
}

bool XlsxReader::readWorkbook(const QByteArray &data, QString *firstSheetId)
{
    QXmlStreamReader xml(data);
    while (!xml.atEnd() && firstSheetId->isEmpty()) {
        if (next(xml) != QXmlStreamReader::StartElement)
            continue;
        if (isNamed(xml, "workbookPr")) {
            const QStringRef value = xml.attributes().value(QLatin1String("date1904"));
            date1904 = value == QLatin1String("1") || value == QLatin1String("true");
        } else if (isNamed(xml, "sheet")) {
            // The relationship id is the attribute "id" in the relationships
            // namespace, whatever its prefix.
            for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty())
                    *firstSheetId = attribute.value().toString();
            }
        }
    }
    return !xmlFailed(xml, QStringLiteral("workbook"));
}

QString XlsxReader::readText(QXmlStreamReader &xml)
{
    // The text of a string item: its own <t> or those of its runs, without
    // the phonetic hints.
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::StartElement) {
            if (isNamed(xml, "t"))
                text += xml.readElementText();
            else if (isNamed(xml, "rPh"))
                xml.skipCurrentElement();
            else
                ++depth;
        }
    }
    return text;
}

bool XlsxReader::readSharedStrings(const QByteArray &data)
{
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (next(xml) == QXmlStreamReader::StartElement && isNamed(xml, "si"))
            sharedStrings.append(readText(xml));
    }
    return !xmlFailed(xml, QStringLiteral("shared strings"));
}

bool XlsxReader::readStyles(const QByteArray &data)
{
    QHash<int, QString> codes;
    bool inCellFormats = false;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = next(xml);
        if (token == QXmlStreamReader::EndElement && isNamed(xml, "cellXfs"))
            inCellFormats = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const int id = attributes.value(QLatin1String("numFmtId")).toInt();
        if (isNamed(xml, "numFmt"))
            codes.insert(id, attributes.value(QLatin1String("formatCode")).toString());
        else if (isNamed(xml, "cellXfs"))
            inCellFormats = true;
        else if (inCellFormats && isNamed(xml, "xf"))
            dateStyles.append(isDateFormat(id, codes.value(id)));
    }
    return !xmlFailed(xml, QStringLiteral("styles"));
}

bool XlsxReader::readSheet(const QByteArray &data, SheetGrid *grid)
{
    int row = -1;
    int column = -1;
    bool inSheetData = false;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = next(xml);
        if (token == QXmlStreamReader::EndElement && isNamed(xml, "sheetData"))
            inSheetData = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (isNamed(xml, "sheetData")) {
            inSheetData = true;
        } else if (inSheetData && isNamed(xml, "row")) {
            // Rows and cells may leave out their position: then they follow
            // the one before.
            const QStringRef number = xml.attributes().value(QLatin1String("r"));
            bool ok = true;
            row = number.isEmpty() ? row + 1 : number.toInt(&ok) - 1;
            if (!ok || row < 0 || row >= SheetGrid::maxRows)
                return fail(QStringLiteral("sheet: bad row number \"%1\"").arg(number));
            column = -1;
        } else if (inSheetData && isNamed(xml, "c")) {
            if (!readCell(xml, &row, &column, grid))
                return false;
        }
    }
    return !xmlFailed(xml, QStringLiteral("sheet"));
}

bool XlsxReader::readCell(QXmlStreamReader &xml, int *row, int *column, SheetGrid *grid)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QStringRef reference = attributes.value(QLatin1String("r"));
    if (reference.isEmpty()) {
        *row = qMax(*row, 0);
        ++*column;
    } else if (!parseReference(reference, row, column)) {
        return fail(QStringLiteral("sheet: bad cell reference \"%1\"").arg(reference));
    }
    const QString type = attributes.value(QLatin1String("t")).toString();
    const int style = attributes.value(QLatin1String("s")).toInt();

    QString text;
    bool hasValue = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (isNamed(xml, "v")) {
            text = xml.readElementText();
            hasValue = true;
        } else if (isNamed(xml, "is")) {
            text = readText(xml);
            hasValue = true;
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xmlFailed(xml, QStringLiteral("sheet")))
        return false;
    if (!hasValue)
        return true;

    QVariant value;
    if (type == QLatin1String("s")) {
        bool ok = false;
        const int index = text.toInt(&ok);
        if (!ok || index < 0 || index >= sharedStrings.size())
            return fail(QStringLiteral("sheet: no shared string \"%1\"").arg(text));
        value = sharedStrings.at(index);
    } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str") || type == QLatin1String("e")) {
        value = text;
    } else if (type == QLatin1String("b")) {
        value = text.trimmed() == QLatin1String("1");
    } else if (type == QLatin1String("d")) {
        value = QDateTime::fromString(text, Qt::ISODate);
    } else {
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return fail(QStringLiteral("sheet: bad number \"%1\"").arg(text));
        const bool isDate = style >= 0 && style < dateStyles.size() && dateStyles.at(style);
        if (isDate && number >= 0 && number < lastSerial)
            value = fromSerial(number, date1904);
        else
            value = number;
    }
    if (!grid->setCell(*row, *column, value))
        return fail(QStringLiteral("sheet: cell beyond the sheet's limits"));
    return true;
}
