#include "gaugeemulator.h"

#include "gaugeframe.h"
#include "pseudoterminal.h"

#include "plugins/common/gaugetext.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cmath>
#include <unistd.h>

namespace {
const int listenerCheckMs = 20;
const double nominalUm = 120;
// Live readings are dropped while this much waits unread, as a gauge's would
// be with nobody reading; the memory is produced only as fast as it is read.
const qsizetype maxQueuedLive = 65536;
const qsizetype dumpBatchBytes = 16384;
const int splitPauseMs = 30;
const int secondsBetweenStored = 10;
const int readingsPerUnit = 10;
}

GaugeEmulator::GaugeEmulator(const Options &options, PseudoTerminal *terminal, QObject *parent)
    : QObject(parent)
    , options(options)
    , terminal(terminal)
    , random(options.seed)
{
    listenerTimer.setInterval(listenerCheckMs);
    connect(&listenerTimer, &QTimer::timeout, this, &GaugeEmulator::watchListener);
    if (options.rate > 0)
        liveTimer.setInterval(qMax(1, int(std::lround(1000 / options.rate))));
    connect(&liveTimer, &QTimer::timeout, this, &GaugeEmulator::sendLive);
    pauseTimer.setSingleShot(true);
    connect(&pauseTimer, &QTimer::timeout, this, &GaugeEmulator::flush);
}

bool GaugeEmulator::start(QString *error)
{
    if (!options.transcript.isEmpty()) {
        transcript.setFileName(options.transcript);
        if (!transcript.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            *error = QStringLiteral("cannot write %1: %2").arg(options.transcript, transcript.errorString());
            return false;
        }
    }
    readNotifier = new QSocketNotifier(terminal->fd(), QSocketNotifier::Read, this);
    readNotifier->setEnabled(false);
    connect(readNotifier, &QSocketNotifier::activated, this, &GaugeEmulator::readCommands);
    writeNotifier = new QSocketNotifier(terminal->fd(), QSocketNotifier::Write, this);
    writeNotifier->setEnabled(false);
    connect(writeNotifier, &QSocketNotifier::activated, this, &GaugeEmulator::flush);
    listenerTimer.start();
    return true;
}

void GaugeEmulator::watchListener()
{
    const bool now = terminal->isListened();
    if (now != listened)
        setListened(now);
}

// Like a gauge on a closed port, the emulator says nothing while nobody
// listens, and forgets a download that was cut off.
void GaugeEmulator::setListened(bool on)
{
    listened = on;
    readNotifier->setEnabled(on);
    if (on) {
        if (options.rate > 0)
            liveTimer.start();
        return;
    }
    liveTimer.stop();
    pauseTimer.stop();
    writeNotifier->setEnabled(false);
    output.clear();
    written = 0;
    queuedBytes = 0;
    dumpNext = -1;
    commands.reset();
}

void GaugeEmulator::readCommands()
{
    char buffer[1024];
    ssize_t size = 0;
    while ((size = ::read(terminal->fd(), buffer, sizeof buffer)) > 0)
        commands.feed(buffer, size, [this](const GaugeLine &line) { return takeCommand(line); });
    if (size < 0 && errno != EAGAIN && errno != EINTR)
        setListened(false);
}

bool GaugeEmulator::takeCommand(const GaugeLine &line)
{
    if (line.type == GaugeLine::MemoryRequest)
        startDump();
    else if (line.type == GaugeLine::Bad)
        qWarning("gauge-emulator: %s", qPrintable(line.problem));
    return true;
}

void GaugeEmulator::sendLive()
{
    if (options.liveCount >= 0 && liveSent >= options.liveCount) {
        liveTimer.stop();
        return;
    }
    // A gauge sending its memory takes no readings meanwhile.
    if (dumpNext >= 0 || queuedBytes > maxQueuedLive)
        return;
    ++liveSent;
    queueReading(nextReading(GaugeLine::Live));
    flush();
}

// A second request while the memory is on its way starts it over.
void GaugeEmulator::startDump()
{
    dumpNext = 0;
    dumpEndsAt = QDateTime::currentDateTime().addSecs(-3600);
    dumpEndsAt.setTime(QTime(dumpEndsAt.time().hour(), dumpEndsAt.time().minute(),
                             dumpEndsAt.time().second()));
    flush();
}

void GaugeEmulator::fillDump()
{
    while (dumpNext >= 0 && queuedBytes < dumpBatchBytes) {
        GaugeLine line;
        if (dumpNext == 0) {
            line.type = GaugeLine::Count;
            line.count = options.memory;
            queue(GaugeFrame::encode(line));
        } else if (dumpNext <= options.memory) {
            if (options.hangupAfter >= 0 && dumpNext > options.hangupAfter) {
                dumpNext = -1;
                hangupPending = true;
                return;
            }
            line = nextReading(GaugeLine::Stored);
            line.index = dumpNext;
            line.time = dumpEndsAt.addSecs(qint64(secondsBetweenStored) * (dumpNext - options.memory));
            queueReading(line);
        } else {
            line.type = GaugeLine::End;
            line.count = options.memory;
            queue(GaugeFrame::encode(line));
            dumpNext = -1;
            return;
        }
        ++dumpNext;
    }
}

// Thickness readings spread around a nominal coating, now and then one
// beyond the range.
GaugeLine GaugeEmulator::nextReading(GaugeLine::Type type)
{
    GaugeLine line;
    line.type = type;
    line.basis = options.basis;
    if (options.unit == QLatin1String("switch"))
        line.unit = (readingsMade / readingsPerUnit) % 2 ? QStringLiteral("mil") : QStringLiteral("um");
    else
        line.unit = options.unit;
    ++readingsMade;
    const quint32 roll = random.bounded(40u);
    if (roll < 2) {
        line.overRange = roll == 0 ? -1 : 1;
        return line;
    }
    const double um = std::round(nominalUm * (0.9 + 0.2 * random.generateDouble()));
    line.valueText = line.unit == QLatin1String("um") ? GaugeText::um(um)
                                                       : GaugeText::mil(um / GaugeText::umPerMil);
    line.value = line.valueText.toDouble();
    return line;
}

// Sends one reading line, damaged in the way it is its turn for when it is
// one of every faultEvery. The transcript lists the line as meant, marked
// "! " when it cannot arrive intact, after a "# fault" line.
void GaugeEmulator::queueReading(const GaugeLine &line)
{
    QByteArray frame = GaugeFrame::encode(line);
    const QByteArray meant = frame.chopped(2);
    ++readingLines;
    if (options.faults.isEmpty() || options.faultEvery <= 0 || readingLines % options.faultEvery != 0) {
        note(meant);
        queue(frame);
        return;
    }
    const QString fault = options.faults.at(faultsMade++ % options.faults.size());
    note("# " + fault.toLatin1());
    const uint checksumEnd = uint(frame.size() - 2);
    if (fault == QLatin1String("garbage")) {
        QByteArray noise(int(random.bounded(8u, 40u)), Qt::Uninitialized);
        for (char &c : noise)
            c = char(random.bounded(256u));
        queue(noise);
        note(meant);
    } else if (fault == QLatin1String("split")) {
        const int cut = int(random.bounded(1u, checksumEnd));
        queue(frame.left(cut), splitPauseMs);
        frame.remove(0, cut);
        note(meant);
    } else if (fault == QLatin1String("corrupt")) {
        const int at = int(random.bounded(1u, checksumEnd));
        frame[at] = char(frame.at(at) ^ 1); // stays printable
        note("! " + meant);
    } else { // drop
        frame.remove(int(random.bounded(checksumEnd)), 1);
        note("! " + meant);
    }
    queue(frame);
}

void GaugeEmulator::queue(const QByteArray &bytes, int pauseMs)
{
    output.push_back(Chunk{bytes, pauseMs});
    queuedBytes += bytes.size();
}

void GaugeEmulator::note(const QByteArray &text)
{
    if (transcript.isOpen())
        transcript.write(text + '\n');
}

void GaugeEmulator::flush()
{
    if (!listened)
        return;
    for (;;) {
        if (output.empty())
            fillDump();
        if (output.empty() || pauseTimer.isActive())
            break;
        Chunk &chunk = output.front();
        const ssize_t size = ::write(terminal->fd(), chunk.bytes.constData() + written,
                                     size_t(chunk.bytes.size() - written));
        if (size < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                writeNotifier->setEnabled(true);
                return;
            }
            setListened(false);
            return;
        }
        written += size;
        queuedBytes -= size;
        if (written < chunk.bytes.size())
            continue;
        const int pause = chunk.pauseMs;
        output.pop_front();
        written = 0;
        if (pause > 0)
            pauseTimer.start(pause);
    }
    writeNotifier->setEnabled(false);
    if (output.empty() && hangupPending)
        hangUp();
}

void GaugeEmulator::hangUp()
{
    listenerTimer.stop();
    liveTimer.stop();
    readNotifier->setEnabled(false);
    writeNotifier->setEnabled(false);
    terminal->close();
    emit hungUp();
}
