#include "xlsxreader.h"

#include "sheetgrid.h"
#include "xmlscanner.h"
#include "ziparchive.h"

#include <QDateTime>
#include <QDir>
#include <QHash>

#include <cmath>

namespace {
const QString rootRelationships = QStringLiteral("_rels/.rels");
const QString defaultWorkbook = QStringLiteral("xl/workbook.xml");
// The last day a workbook can hold, 9999-12-31, as a serial number.
const double lastSerial = 2958466;

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
bool parseReference(const QByteArray &reference, int *row, int *column)
{
    int i = 0;
    int col = 0;
    while (i < reference.size() && i < 4 && reference.at(i) >= 'A' && reference.at(i) <= 'Z')
        col = col * 26 + (reference.at(i++) - 'A' + 1);
    if (i == 0 || col > SheetGrid::maxColumns)
        return false;
    int r = 0;
    const int digits = reference.size() - i;
    if (digits < 1 || digits > 7)
        return false;
    for (; i < reference.size(); ++i) {
        if (reference.at(i) < '0' || reference.at(i) > '9')
            return false;
        r = r * 10 + (reference.at(i) - '0');
    }
    if (r < 1 || r > SheetGrid::maxRows)
        return false;
    *row = r - 1;
    *column = col - 1;
    return true;
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

bool XlsxReader::xmlFailed(const XmlScanner &xml, const QString &part)
{
    if (!xml.hasError())
        return false;
    fail(QStringLiteral("%1: %2").arg(part, xml.errorString()));
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
    XmlScanner xml(data);
    while (xml.readNext()) {
        if (xml.token() != XmlScanner::StartElement || !xml.isNamed("Relationship")
            || xml.attribute("TargetMode") == "External")
            continue;
        list->append({QString::fromUtf8(xml.attribute("Id")), QString::fromUtf8(xml.attribute("Type")),
                      QString::fromUtf8(xml.attribute("Target"))});
    }
    return !xmlFailed(xml, name);
}

bool XlsxReader::readWorkbook(const QByteArray &data, QString *firstSheetId)
{
    XmlScanner xml(data);
    while (xml.readNext()) {
        if (xml.token() != XmlScanner::StartElement)
            continue;
        if (xml.isNamed("workbookPr")) {
            const QByteArray value = xml.attribute("date1904");
            date1904 = value == "1" || value == "true";
        } else if (xml.isNamed("sheet") && firstSheetId->isEmpty()) {
            // The relationship id, "r:id" whatever the prefix.
            *firstSheetId = QString::fromUtf8(xml.attribute("id"));
        }
    }
    return !xmlFailed(xml, QStringLiteral("workbook"));
}

QByteArray XlsxReader::readText(XmlScanner &xml)
{
    // The text of a string item: its own <t> or those of its runs, without
    // the phonetic hints.
    QByteArray text("");
    for (auto token = xml.next(); token != XmlScanner::EndElement; token = xml.next()) {
        if (token == XmlScanner::Invalid || token == XmlScanner::EndDocument)
            return QByteArray();
        if (token != XmlScanner::StartElement)
            continue;
        if (xml.isNamed("t"))
            text += xml.readElementText();
        else if (xml.isNamed("r"))
            text += readText(xml);
        else
            xml.skipElement();
    }
    return text;
}

bool XlsxReader::readSharedStrings(const QByteArray &data)
{
    XmlScanner xml(data);
    while (xml.readNext()) {
        if (xml.token() == XmlScanner::StartElement && xml.isNamed("si"))
            sharedStrings.append(QString::fromUtf8(readText(xml)));
    }
    return !xmlFailed(xml, QStringLiteral("shared strings"));
}

bool XlsxReader::readStyles(const QByteArray &data)
{
    QHash<int, QString> codes;
    XmlScanner xml(data);
    while (xml.readNext()) {
        if (xml.token() != XmlScanner::StartElement)
            continue;
        const int id = xml.attribute("numFmtId").toInt();
        if (xml.isNamed("numFmt"))
            codes.insert(id, QString::fromUtf8(xml.attribute("formatCode")));
        else if (xml.isNamed("xf") && xml.isInside("cellXfs"))
            dateStyles.append(isDateFormat(id, codes.value(id)));
    }
    return !xmlFailed(xml, QStringLiteral("styles"));
}

bool XlsxReader::readSheet(const QByteArray &data, SheetGrid *grid)
{
    int row = -1;
    int column = -1;
    XmlScanner xml(data);
    while (xml.readNext()) {
        if (xml.token() != XmlScanner::StartElement || !(xml.isNamed("row") || xml.isNamed("c"))
            || !xml.isInside("sheetData"))
            continue;
        if (xml.isNamed("row")) {
            // Rows and cells may leave out their position: then they follow
            // the one before.
            const QByteArray number = xml.attribute("r");
            bool ok = true;
            row = number.isEmpty() ? row + 1 : number.toInt(&ok) - 1;
            if (!ok || row < 0 || row >= SheetGrid::maxRows)
                return fail(QStringLiteral("sheet: bad row number \"%1\"").arg(QString::fromUtf8(number)));
            column = -1;
        } else if (!readCell(xml, &row, &column, grid)) {
            return false;
        }
    }
    return !xmlFailed(xml, QStringLiteral("sheet"));
}

bool XlsxReader::readCell(XmlScanner &xml, int *row, int *column, SheetGrid *grid)
{
    const QByteArray reference = xml.attribute("r");
    if (reference.isEmpty()) {
        *row = qMax(*row, 0);
        ++*column;
    } else if (!parseReference(reference, row, column)) {
        return fail(QStringLiteral("sheet: bad cell reference \"%1\"").arg(QString::fromUtf8(reference)));
    }
    const QByteArray type = xml.attribute("t");
    const int style = xml.attribute("s").toInt();

    QByteArray text;
    bool hasValue = false;
    for (auto token = xml.next(); token != XmlScanner::EndElement; token = xml.next()) {
        if (token == XmlScanner::Invalid || token == XmlScanner::EndDocument)
            return !xmlFailed(xml, QStringLiteral("sheet"));
        if (token != XmlScanner::StartElement)
            continue;
        if (xml.isNamed("v")) {
            text = xml.readElementText();
            hasValue = true;
        } else if (xml.isNamed("is")) {
            text = readText(xml);
            hasValue = true;
        } else {
            xml.skipElement();
        }
    }
    if (xmlFailed(xml, QStringLiteral("sheet")))
        return false;
    if (!hasValue)
        return true;

    QVariant value;
    if (type == "s") {
        bool ok = false;
        const int index = text.toInt(&ok);
        if (!ok || index < 0 || index >= sharedStrings.size())
            return fail(QStringLiteral("sheet: no shared string \"%1\"").arg(QString::fromUtf8(text)));
        value = sharedStrings.at(index);
    } else if (type == "inlineStr" || type == "str" || type == "e") {
        value = QString::fromUtf8(text);
    } else if (type == "b") {
        value = text.trimmed() == "1";
    } else if (type == "d") {
        value = QDateTime::fromString(QString::fromUtf8(text), Qt::ISODate);
    } else {
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            return fail(QStringLiteral("sheet: bad number \"%1\"").arg(QString::fromUtf8(text)));
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
