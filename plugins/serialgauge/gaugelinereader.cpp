#include "gaugelinereader.h"

#include "gaugeframe.h"
#include "gaugeline.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
const int excerptLength = 40;
const int maxCount = 1000000;
const int maxFields = 7;

// The record names and how many fields each has, its name included.
struct Record
{
    const char *name;
    GaugeLine::Type type;
    int fields;
};
const Record records[] = {
    {"LIVE", GaugeLine::Live, 5},
    {"REC", GaugeLine::Stored, 7},
    {"MEM", GaugeLine::Count, 2},
    {"END", GaugeLine::End, 2},
    {"GETMEM", GaugeLine::MemoryRequest, 1},
};

struct Field
{
    const char *begin = nullptr;
    qsizetype size = 0;

    bool is(const char *text) const
    {
        return qsizetype(std::strlen(text)) == size && std::memcmp(begin, text, size) == 0;
    }
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The line as the message log may show it: printable ASCII as is, everything
// else escaped, cut after a few dozen bytes.
QString printable(const char *begin, const char *end)
{
    QString text;
    const char *stop = end - begin > excerptLength ? begin + excerptLength : end;
    for (const char *p = begin; p < stop; ++p) {
        const uchar c = uchar(*p);
        if (c >= 0x20 && c < 0x7F && c != '\\')
            text += QLatin1Char(char(c));
        else
            text += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
    }
    if (stop != end)
        text += QStringLiteral("...");
    return text;
}

int hexDigit(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Digits only, 1 to 7 of them, at most maxCount.
bool parseNumber(const Field &field, int *value)
{
    if (field.size < 1 || field.size > 7)
        return false;
    int n = 0;
    for (qsizetype i = 0; i < field.size; ++i) {
        if (!isDigit(field.begin[i]))
            return false;
        n = n * 10 + (field.begin[i] - '0');
    }
    *value = n;
    return n <= maxCount;
}

// An optional "-", 1 to 5 digits, optionally "." and 1 to 3 digits.
bool parseValue(const Field &field, double *value)
{
    static const double scale[] = {1, 10, 100, 1000};
    const char *p = field.begin;
    const char *end = p + field.size;
    const bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    qint64 mantissa = 0;
    int digits = 0;
    for (; p < end && isDigit(*p); ++p, ++digits)
        mantissa = mantissa * 10 + (*p - '0');
    if (digits < 1 || digits > 5)
        return false;
    int decimals = 0;
    if (p < end && *p == '.') {
        for (++p; p < end && isDigit(*p); ++p, ++decimals)
            mantissa = mantissa * 10 + (*p - '0');
        if (decimals < 1 || decimals > 3)
            return false;
    }
    if (p != end)
        return false;
    *value = (negative ? -double(mantissa) : double(mantissa)) / scale[decimals];
    return true;
}

bool parseUnit(const Field &field, QString *unit)
{
    static const QString um = QStringLiteral("um");
    static const QString mil = QStringLiteral("mil");
    if (field.is("um"))
        *unit = um;
    else if (field.is("mil"))
        *unit = mil;
    else
        return false;
    return true;
}

bool parseBasis(const Field &field, QString *basis)
{
    if (field.size < 1 || field.size > 8)
        return false;
    for (qsizetype i = 0; i < field.size; ++i) {
        const char c = field.begin[i];
        if (!isDigit(c) && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z') && c != '-')
            return false;
    }
    *basis = QString::fromLatin1(field.begin, int(field.size));
    return true;
}

bool parseRange(const Field &field, int *overRange)
{
    if (field.is("OK"))
        *overRange = 0;
    else if (field.is("OL"))
        *overRange = 1;
    else if (field.is("-OL"))
        *overRange = -1;
    else
        return false;
    return true;
}

int twoDigits(const char *p)
{
    return isDigit(p[0]) && isDigit(p[1]) ? (p[0] - '0') * 10 + (p[1] - '0') : -1;
}

// "YYYY-MM-DDThh:mm:ss", the gauge's local time.
bool parseTime(const Field &field, QDateTime *time)
{
    const char *p = field.begin;
    if (field.size != 19 || p[4] != '-' || p[7] != '-' || p[10] != 'T' || p[13] != ':'
        || p[16] != ':')
        return false;
    const int century = twoDigits(p);
    const int year = twoDigits(p + 2);
    if (century < 0 || year < 0)
        return false;
    const QDate date(century * 100 + year, twoDigits(p + 5), twoDigits(p + 8));
    const QTime clock(twoDigits(p + 11), twoDigits(p + 14), twoDigits(p + 17));
    if (!date.isValid() || !clock.isValid())
        return false;
    // The local time as a fixed offset from UTC, the offset looked up once an
    // hour of the gauge's clock: a time-zone look-up for every line would cost
    // more than all the rest of the parsing.
    thread_local QDate cachedDate;
    thread_local int cachedHour = -1;
    thread_local int cachedOffset = 0;
    if (date != cachedDate || clock.hour() != cachedHour) {
        cachedOffset = QDateTime(date, QTime(clock.hour(), 0), Qt::LocalTime).offsetFromUtc();
        cachedDate = date;
        cachedHour = clock.hour();
    }
    *time = QDateTime(date, clock, Qt::OffsetFromUTC, cachedOffset);
    return time->isValid();
}
}

bool GaugeLineReader::read(QIODevice *device, const Handler &handle)
{
    char chunk[16384];
    qint64 size = 0;
    while ((size = device->read(chunk, sizeof chunk)) > 0) {
        if (!feed(chunk, size, handle))
            return false;
    }
    return true;
}

bool GaugeLineReader::feed(const char *data, qsizetype size, const Handler &handle)
{
    const char *end = data + size;
    if (skipping) {
        const char *p = data;
        while (p < end && *p != '\n' && *p != '$')
            ++p;
        if (p == end)
            return true;
        skipping = false;
        data = *p == '\n' ? p + 1 : p;
    }
    pending.append(data, int(end - data));

    const char *begin = pending.constData();
    const char *stop = begin + pending.size();
    const char *line = begin;
    while (const auto *lineEnd = static_cast<const char *>(std::memchr(line, '\n', stop - line))) {
        if (!takeLine(line, lineEnd, handle)) {
            reset();
            return false;
        }
        line = lineEnd + 1;
    }

    // No line end yet: keep at most one line's worth.
    const qsizetype rest = stop - line;
    if (rest > GaugeFrame::maxLength) {
        const auto *start = static_cast<const char *>(memrchr(line, '$', rest));
        GaugeLine skipped;
        if (start && stop - start <= GaugeFrame::maxLength) {
            skipped.problem = tr("Skipped %n byte(s) of noise from the gauge.", nullptr,
                                 int(start - line));
            line = start;
        } else {
            skipped.problem = tr("Skipped an over-long line from the gauge: %1")
                                  .arg(printable(line, stop));
            line = stop;
            skipping = true;
        }
        if (!handle(skipped)) {
            reset();
            return false;
        }
    }
    pending.remove(0, int(line - begin));
    return true;
}

void GaugeLineReader::reset()
{
    pending.clear();
    skipping = false;
}

bool GaugeLineReader::takeLine(const char *begin, const char *end, const Handler &handle)
{
    while (end > begin && end[-1] == '\r')
        --end;
    if (begin == end)
        return true;
    const auto *start = static_cast<const char *>(memrchr(begin, '$', end - begin));
    if (start != begin) {
        GaugeLine noise;
        noise.problem = tr("Skipped %n byte(s) of noise from the gauge.", nullptr,
                           int((start ? start : end) - begin));
        if (!handle(noise))
            return false;
        if (!start)
            return true;
    }
    return handle(parse(start, end));
}

GaugeLine GaugeLineReader::parse(const char *begin, const char *end)
{
    GaugeLine line;
    const auto bad = [&](const QString &reason) {
        line.type = GaugeLine::Bad;
        line.problem = tr("Skipped a damaged line from the gauge (%1): %2")
                           .arg(reason, printable(begin, end));
        return line;
    };

    const qsizetype size = end - begin;
    if (size > GaugeFrame::maxLength)
        return bad(tr("too long"));
    if (size < 1 + GaugeFrame::checksumLength || *begin != '$'
        || end[-GaugeFrame::checksumLength] != '*')
        return bad(tr("no checksum"));
    int sent = 0;
    for (const char *p = end - 4; p < end; ++p) {
        const int digit = hexDigit(*p);
        if (digit < 0)
            return bad(tr("no checksum"));
        sent = sent * 16 + digit;
    }
    const char *body = begin + 1;
    const char *bodyEnd = end - GaugeFrame::checksumLength;
    for (const char *p = body; p < bodyEnd; ++p) {
        if (uchar(*p) < 0x20 || uchar(*p) > 0x7E || *p == '*')
            return bad(tr("bad characters"));
    }
    if (GaugeFrame::checksum(body, bodyEnd - body) != sent)
        return bad(tr("bad checksum"));

    Field fields[maxFields];
    int count = 0;
    const char *fieldStart = body;
    for (const char *p = body;; ++p) {
        if (p != bodyEnd && *p != ',')
            continue;
        if (count == maxFields)
            return bad(tr("wrong number of fields"));
        fields[count++] = Field{fieldStart, p - fieldStart};
        if (p == bodyEnd)
            break;
        fieldStart = p + 1;
    }

    const Record *record = std::find_if(std::begin(records), std::end(records),
                                        [&](const Record &r) { return fields[0].is(r.name); });
    if (record == std::end(records))
        return bad(tr("unknown record"));
    line.type = record->type;
    if (count != record->fields)
        return bad(tr("wrong number of fields"));

    switch (line.type) {
    case GaugeLine::Count:
    case GaugeLine::End:
        if (!parseNumber(fields[1], &line.count))
            return bad(tr("bad count"));
        return line;
    case GaugeLine::MemoryRequest:
        return line;
    case GaugeLine::Stored:
        if (!parseNumber(fields[1], &line.index) || line.index < 1)
            return bad(tr("bad index"));
        if (!parseTime(fields[2], &line.time))
            return bad(tr("bad time"));
        break;
    default:
        break;
    }

    const Field *reading = fields + (line.type == GaugeLine::Stored ? 3 : 1);
    if (!parseUnit(reading[1], &line.unit))
        return bad(tr("bad unit"));
    if (!parseBasis(reading[2], &line.basis))
        return bad(tr("bad basis"));
    if (!parseRange(reading[3], &line.overRange))
        return bad(tr("bad range"));
    if (line.overRange != 0) {
        if (reading[0].size != 0)
            return bad(tr("a value beside an over-range mark"));
    } else {
        if (!parseValue(reading[0], &line.value))
            return bad(tr("bad value"));
        line.valueText = QString::fromLatin1(reading[0].begin, int(reading[0].size));
    }
    return line;
}
