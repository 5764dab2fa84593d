#include "xmlscanner.h"

#include <cstring>

namespace {
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool startsWith(const char *from, const char *to, const char *prefix)
{
    const size_t n = std::strlen(prefix);
    return size_t(to - from) >= n && std::memcmp(from, prefix, n) == 0;
}

// The end of the first occurrence of marker at or after from, or nullptr.
const char *after(const char *from, const char *to, const char *marker)
{
    const size_t n = std::strlen(marker);
    for (const char *p = from; size_t(to - p) >= n; ++p) {
        p = static_cast<const char *>(std::memchr(p, marker[0], size_t(to - p)));
        if (!p || size_t(to - p) < n)
            return nullptr;
        if (std::memcmp(p, marker, n) == 0)
            return p + n;
    }
    return nullptr;
}

bool localNameIs(const char *name, int length, const char *wanted)
{
    const char *colon = static_cast<const char *>(std::memchr(name, ':', size_t(length)));
    if (colon) {
        length -= int(colon + 1 - name);
        name = colon + 1;
    }
    return std::strlen(wanted) == size_t(length) && std::memcmp(name, wanted, size_t(length)) == 0;
}
}

XmlScanner::XmlScanner(const QByteArray &data)
    : begin(data.constData())
    , position(data.constData())
    , end(data.constData() + data.size())
{
}

XmlScanner::Token XmlScanner::fail(const QString &message)
{
    if (error.isEmpty())
        error = QStringLiteral("%1 at byte %2").arg(message).arg(offset());
    position = end;
    return Invalid;
}

const char *XmlScanner::nameEnd(const char *from) const
{
    const char *p = from;
    while (p < end && !isSpace(*p) && *p != '/' && *p != '>' && *p != '=' && *p != '<' && *p != '"' && *p != '\'')
        ++p;
    return p;
}

XmlScanner::Token XmlScanner::next()
{
    current = advance();
    return current;
}

XmlScanner::Token XmlScanner::advance()
{
    if (hasError())
        return Invalid;
    if (emptyElement) {
        emptyElement = false;
        open.removeLast();
        return EndElement;
    }
    while (position < end) {
        if (*position != '<') {
            const char *from = position;
            const char *to = static_cast<const char *>(std::memchr(position, '<', size_t(end - position)));
            position = to ? to : end;
            if (open.isEmpty()) {
                for (const char *p = from; p < position; ++p) {
                    if (!isSpace(*p))
                        return fail(QStringLiteral("text outside the root element"));
                }
                continue;
            }
            textFrom = from;
            textTo = position;
            textIsRaw = false;
            return Characters;
        }
        if (startsWith(position, end, "<?")) {
            position = after(position + 2, end, "?>");
            if (!position)
                return fail(QStringLiteral("unterminated processing instruction"));
        } else if (startsWith(position, end, "<!--")) {
            position = after(position + 4, end, "-->");
            if (!position)
                return fail(QStringLiteral("unterminated comment"));
        } else if (startsWith(position, end, "<![CDATA[")) {
            const char *from = position + 9;
            const char *to = after(from, end, "]]>");
            if (!to || open.isEmpty())
                return fail(QStringLiteral("misplaced or unterminated CDATA section"));
            textFrom = from;
            textTo = to - 3;
            textIsRaw = true;
            position = to;
            return Characters;
        } else if (startsWith(position, end, "<!")) {
            return fail(QStringLiteral("document type declarations are not accepted"));
        } else if (startsWith(position, end, "</")) {
            return endTag();
        } else {
            return startTag();
        }
    }
    if (!open.isEmpty() || !sawRoot)
        return fail(QStringLiteral("premature end of document"));
    return EndDocument;
}

XmlScanner::Token XmlScanner::startTag()
{
    const char *from = position + 1;
    const char *to = nameEnd(from);
    if (to == from)
        return fail(QStringLiteral("malformed tag"));
    if (open.isEmpty() && sawRoot)
        return fail(QStringLiteral("a second root element"));
    name = from;
    nameLength = int(to - from);
    attributesFrom = to;
    // Check the attributes (name="value" or name='value') to find the tag's end.
    const char *p = to;
    for (;;) {
        const char *spaced = p;
        while (p < end && isSpace(*p))
            ++p;
        if (p >= end)
            return fail(QStringLiteral("unterminated tag"));
        if (*p == '>' || (*p == '/' && p + 1 < end && p[1] == '>'))
            break;
        const char *attributeEnd = nameEnd(p);
        if (attributeEnd == p || spaced == p)
            return fail(QStringLiteral("malformed attribute"));
        p = attributeEnd;
        while (p < end && isSpace(*p))
            ++p;
        if (p >= end || *p != '=')
            return fail(QStringLiteral("attribute without a value"));
        ++p;
        while (p < end && isSpace(*p))
            ++p;
        if (p >= end || (*p != '"' && *p != '\''))
            return fail(QStringLiteral("unquoted attribute value"));
        const char quote = *p++;
        const char *close = static_cast<const char *>(std::memchr(p, quote, size_t(end - p)));
        if (!close || std::memchr(p, '<', size_t(close - p)))
            return fail(QStringLiteral("malformed attribute value"));
        p = close + 1;
    }
    attributesTo = p;
    emptyElement = *p == '/';
    position = p + (emptyElement ? 2 : 1);
    sawRoot = true;
    open.append({name, nameLength});
    return StartElement;
}

XmlScanner::Token XmlScanner::endTag()
{
    const char *from = position + 2;
    const char *to = nameEnd(from);
    const char *p = to;
    while (p < end && isSpace(*p))
        ++p;
    if (p >= end || *p != '>' || open.isEmpty())
        return fail(QStringLiteral("malformed end tag"));
    const QPair<const char *, int> top = open.takeLast();
    if (top.second != int(to - from) || std::memcmp(top.first, from, size_t(top.second)) != 0)
        return fail(QStringLiteral("end tag does not match its start tag"));
    name = from;
    nameLength = int(to - from);
    position = p + 1;
    return EndElement;
}

bool XmlScanner::readNext()
{
    const Token token = next();
    return token != EndDocument && token != Invalid;
}

bool XmlScanner::isNamed(const char *localName) const
{
    return name && localNameIs(name, nameLength, localName);
}

bool XmlScanner::isInside(const char *localName) const
{
    for (const QPair<const char *, int> &element : open) {
        if (localNameIs(element.first, element.second, localName))
            return true;
    }
    return false;
}

bool XmlScanner::decode(const char *from, const char *to, QByteArray *out)
{
    while (from < to) {
        const char *amp = static_cast<const char *>(std::memchr(from, '&', size_t(to - from)));
        out->append(from, int((amp ? amp : to) - from));
        if (!amp)
            return true;
        const char *semicolon = static_cast<const char *>(std::memchr(amp, ';', size_t(to - amp)));
        if (!semicolon || semicolon - amp > 12) {
            fail(QStringLiteral("malformed entity"));
            return false;
        }
        const QByteArray entity(amp + 1, int(semicolon - amp - 1));
        if (entity == "lt") {
            out->append('<');
        } else if (entity == "gt") {
            out->append('>');
        } else if (entity == "amp") {
            out->append('&');
        } else if (entity == "quot") {
            out->append('"');
        } else if (entity == "apos") {
            out->append('\'');
        } else {
            bool ok = false;
            const uint code = entity.startsWith("#x") ? entity.mid(2).toUInt(&ok, 16)
                              : entity.startsWith('#') ? entity.mid(1).toUInt(&ok, 10)
                                                       : 0;
            if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                fail(QStringLiteral("unknown entity \"%1\"").arg(QString::fromLatin1(entity)));
                return false;
            }
            const char32_t character = code;
            out->append(QString::fromUcs4(&character, 1).toUtf8());
        }
        from = semicolon + 1;
    }
    return true;
}

QByteArray XmlScanner::decoded(const char *from, const char *to)
{
    // Most values hold no entity: they are handed out in place.
    if (!std::memchr(from, '&', size_t(to - from)))
        return QByteArray::fromRawData(from, int(to - from));
    QByteArray value;
    return decode(from, to, &value) ? value : QByteArray();
}

QByteArray XmlScanner::attribute(const char *localName)
{
    const char *p = attributesFrom;
    while (p < attributesTo) {
        while (p < attributesTo && isSpace(*p))
            ++p;
        const char *attributeEnd = nameEnd(p);
        if (attributeEnd == p)
            break;
        const char *quote = p;
        while (*quote != '"' && *quote != '\'')
            ++quote;
        const char *close = static_cast<const char *>(std::memchr(quote + 1, *quote, size_t(attributesTo - quote - 1)));
        if (localNameIs(p, int(attributeEnd - p), localName)) {
            const QByteArray value = decoded(quote + 1, close);
            return value.isNull() ? QByteArray("") : value;
        }
        p = close + 1;
    }
    return QByteArray();
}

QByteArray XmlScanner::readElementText()
{
    QByteArray text("");
    bool first = true;
    for (;;) {
        switch (next()) {
        case Characters:
            if (first && !textIsRaw) {
                text = decoded(textFrom, textTo);
            } else if (textIsRaw || first) {
                text.append(textFrom, int(textTo - textFrom));
            } else if (!decode(textFrom, textTo, &text)) {
                return QByteArray();
            }
            first = false;
            break;
        case EndElement:
            return text.isNull() ? QByteArray("") : text;
        case StartElement:
            fail(QStringLiteral("an element inside a text"));
            return QByteArray();
        default:
            return QByteArray();
        }
    }
}

void XmlScanner::skipElement()
{
    const int depth = open.size();
    while (open.size() >= depth) {
        const Token token = next();
        if (token == Invalid || token == EndDocument)
            return;
        if (token == EndElement && open.size() < depth)
            return;
    }
}
