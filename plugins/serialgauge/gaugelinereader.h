#pragma once

#include <QByteArray>
#include <QCoreApplication>

#include <functional>

struct GaugeLine;
class QIODevice;

// Splits the bytes from the gauge into protocol lines and parses them. A
// partial line is kept for the next call, but never more than one line's
// worth: after noise, a lost line end or lost bytes the reader picks up again
// at the next "$" or line end, and each stretch it skipped comes out as one
// Bad line. It only takes what the device already holds, so it never waits.
// One reader per device; the handler must not call back into the reader.
class GaugeLineReader
{
    Q_DECLARE_TR_FUNCTIONS(GaugeLineReader)

public:
    // Takes each line in order. Returning false stops the reading and drops
    // whatever is buffered (the device was closed).
    using Handler = std::function<bool(const GaugeLine &line)>;

    // Returns false when the handler stopped it.
    bool read(QIODevice *device, const Handler &handle);
    bool feed(const char *data, qsizetype size, const Handler &handle);
    // Forgets a partial line, for a fresh start on a reopened port.
    void reset();
    // Bytes of a partial line kept; never more than GaugeFrame::maxLength.
    qsizetype buffered() const { return pending.size(); }

    // One line from its "$" up to the line end, without CR or LF.
    static GaugeLine parse(const char *begin, const char *end);

private:
    bool takeLine(const char *begin, const char *end, const Handler &handle);

    QByteArray pending;
    // Dropping an over-long stretch until the next "$" or line end.
    bool skipping = false;
};
