#pragma once

#include <QByteArray>

struct GaugeLine;

// The framing of one protocol line: "$" body "*" four hex digits of the body's
// CRC-16, then CR LF.
class GaugeFrame
{
public:
    // From "$" through the checksum, without the line end.
    static constexpr int maxLength = 96;
    static constexpr int checksumLength = 5; // "*" and four hex digits

    // CRC-16/CCITT-FALSE: polynomial 0x1021, initial value 0xFFFF.
    static quint16 checksum(const char *data, qsizetype size);
    // The line ready to send, line end included. The caller gives a line of
    // a type other than Bad whose fields are within the protocol's rules.
    static QByteArray encode(const GaugeLine &line);
    static QByteArray frame(const QByteArray &body);
};
