#include "gaugeframe.h"

#include "gaugeline.h"

#include <array>

namespace {
constexpr std::array<quint16, 256> crcTable()
{
    std::array<quint16, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        quint16 crc = quint16(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
        table[byte] = crc;
    }
    return table;
}

constexpr std::array<quint16, 256> table = crcTable();

QByteArray rangeText(int overRange)
{
    if (overRange > 0)
        return QByteArrayLiteral("OL");
    return overRange < 0 ? QByteArrayLiteral("-OL") : QByteArrayLiteral("OK");
}

QByteArray readingFields(const GaugeLine &line)
{
    return line.valueText.toLatin1() + ',' + line.unit.toLatin1() + ',' + line.basis.toLatin1()
        + ',' + rangeText(line.overRange);
}
}

quint16 GaugeFrame::checksum(const char *data, qsizetype size)
{
    quint16 crc = 0xFFFF;
    for (qsizetype i = 0; i < size; ++i)
        crc = quint16((crc << 8) ^ table[((crc >> 8) ^ quint8(data[i])) & 0xFF]);
    return crc;
}

QByteArray GaugeFrame::frame(const QByteArray &body)
{
    QByteArray line;
    line.reserve(body.size() + checksumLength + 3);
    line += '$';
    line += body;
    line += '*';
    line += QByteArray::number(checksum(body.constData(), body.size()), 16)
                .toUpper()
                .rightJustified(4, '0');
    line += "\r\n";
    return line;
}

QByteArray GaugeFrame::encode(const GaugeLine &line)
{
    switch (line.type) {
    case GaugeLine::Live:
        return frame("LIVE," + readingFields(line));
    case GaugeLine::Count:
        return frame("MEM," + QByteArray::number(line.count));
    case GaugeLine::Stored:
        return frame("REC," + QByteArray::number(line.index) + ','
                     + line.time.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + ','
                     + readingFields(line));
    case GaugeLine::End:
        return frame("END," + QByteArray::number(line.count));
    case GaugeLine::MemoryRequest:
        return frame("GETMEM");
    case GaugeLine::Bad:
        break;
    }
    return QByteArray();
}
