#pragma once

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

// A small pull parser for the XML of workbook parts, several times faster
// than QXmlStreamReader on large sheets. It checks what the readers rely on:
// tags nest and match, one root element, attributes are quoted, entities are
// the predefined ones or character references. Names are compared by their
// local part, without the namespace prefix. Document type declarations are
// refused. Malformed input ends in Invalid with errorString() set.
class XmlScanner
{
public:
    enum Token { StartElement, EndElement, Characters, EndDocument, Invalid };

    // The scanner reads data in place: data must outlive it.
    explicit XmlScanner(const QByteArray &data);
    XmlScanner(QByteArray &&) = delete;

    Token next();
    // Advances like next(); false at the end of the document or on an error.
    bool readNext();
    Token token() const { return current; }
    // The local name of the element of the current start or end tag.
    bool isNamed(const char *localName) const;
    // Whether an element of this local name is open around the current token.
    bool isInside(const char *localName) const;
    // The attribute of the current start tag with this local name, in
    // UTF-8 with entities decoded; null when it is absent. Without entities
    // it points into the data, so it must not outlive that.
    QByteArray attribute(const char *localName);
    // At a start tag: the text up to its end tag, which is current then, as
    // attribute() gives it. Child elements are an error.
    QByteArray readElementText();
    // At a start tag: moves to its end tag.
    void skipElement();

    bool hasError() const { return !error.isEmpty(); }
    QString errorString() const { return error; }
    // Where the scanner stands, for messages.
    qint64 offset() const { return position - begin; }

private:
    Token advance();
    Token fail(const QString &message);
    Token startTag();
    Token endTag();
    bool decode(const char *from, const char *to, QByteArray *out);
    QByteArray decoded(const char *from, const char *to);
    const char *nameEnd(const char *from) const;

    const char *begin;
    const char *position;
    const char *end;
    QString error;
    // The element names open, innermost last, as pointers into the data.
    QVector<QPair<const char *, int>> open;
    Token current = Invalid;
    bool sawRoot = false;
    bool emptyElement = false;
    const char *name = nullptr;
    int nameLength = 0;
    const char *attributesFrom = nullptr;
    const char *attributesTo = nullptr;
    const char *textFrom = nullptr;
    const char *textTo = nullptr;
    bool textIsRaw = false;
};
