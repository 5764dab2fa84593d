// Feeds arbitrary bytes to the serial line reader, cut into two reads where
// the first byte says, as a serial port may deliver them. Besides the
// sanitizers' checks it aborts when the reader keeps more than one line's
// worth, when a message could carry control characters, or when a line it
// accepted does not come back the same after being sent again.
#include "gaugeframe.h"
#include "gaugeline.h"
#include "gaugelinereader.h"
#include "gaugereading.h"

#include "device/dmmdata.h"

#include <cstdint>
#include <cstdlib>

namespace {
bool check(const GaugeLine &line)
{
    if (line.type == GaugeLine::Bad) {
        if (line.problem.isEmpty())
            std::abort();
        for (const QChar c : line.problem) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                std::abort();
        }
        return true;
    }
    const QByteArray again = GaugeFrame::encode(line);
    if (again.size() - 2 > GaugeFrame::maxLength)
        std::abort();
    if (!(GaugeLineReader::parse(again.constData(), again.constData() + again.size() - 2) == line))
        std::abort();
    if (line.type == GaugeLine::Live || line.type == GaugeLine::Stored)
        delete GaugeReading::create(line, line.time);
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    const qsizetype cut = length == 0 ? 0 : data[0] % (length + 1);
    GaugeLineReader reader;
    reader.feed(bytes, cut, check);
    if (reader.buffered() > GaugeFrame::maxLength)
        std::abort();
    reader.feed(bytes + cut, length - cut, check);
    if (reader.buffered() > GaugeFrame::maxLength)
        std::abort();
    return 0;
}
