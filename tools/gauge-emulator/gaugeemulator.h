#pragma once

#include "gaugeline.h"
#include "gaugelinereader.h"

#include <QFile>
#include <QObject>
#include <QRandomGenerator>
#include <QStringList>
#include <QTimer>

#include <deque>

class PseudoTerminal;
class QSocketNotifier;

// Plays the gauge on the master end of a pseudo-terminal, speaking the line
// protocol of docs/serial-protocol.md: live readings while someone listens,
// the memory when asked for it, and on request the faults a real line may
// show. Output waits while the computer side does not read, so a large
// memory streams at the pace the reader takes it.
class GaugeEmulator : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        double rate = 2;          // live readings a second; 0 for none
        int liveCount = -1;       // live readings in all; -1 for no end
        QString unit = QStringLiteral("um"); // "um", "mil" or "switch"
        QString basis = QStringLiteral("FE");
        int memory = 300;         // stored readings
        QStringList faults;       // garbage, corrupt, drop, split, in turn
        int faultEvery = 10;      // one reading line in this many
        int hangupAfter = -1;     // hang up after this many stored readings
        quint32 seed = 1;
        QString transcript;       // file listing every reading line sent
    };

    // The terminal must be open and outlive the emulator.
    GaugeEmulator(const Options &options, PseudoTerminal *terminal, QObject *parent = nullptr);

    bool start(QString *error);

signals:
    // The emulator hung up as asked; the terminal is closed.
    void hungUp();

private:
    struct Chunk
    {
        QByteArray bytes;
        int pauseMs = 0; // wait this long before the next chunk
    };

    void watchListener();
    void setListened(bool listened);
    void readCommands();
    bool takeCommand(const GaugeLine &line);
    void sendLive();
    void startDump();
    void fillDump();
    GaugeLine nextReading(GaugeLine::Type type);
    void queueReading(const GaugeLine &line);
    void queue(const QByteArray &bytes, int pauseMs = 0);
    void note(const QByteArray &text);
    void flush();
    void hangUp();

    Options options;
    PseudoTerminal *terminal;
    QSocketNotifier *readNotifier = nullptr;
    QSocketNotifier *writeNotifier = nullptr;
    GaugeLineReader commands;
    QRandomGenerator random;
    QTimer listenerTimer;
    QTimer liveTimer;
    QTimer pauseTimer;
    QFile transcript;
    bool listened = false;
    std::deque<Chunk> output;
    qsizetype written = 0;   // of the first chunk
    qsizetype queuedBytes = 0;
    int liveSent = 0;
    int readingsMade = 0;
    int readingLines = 0;
    int faultsMade = 0;
    int dumpNext = -1;       // -1 idle, 0 the count line, 1..memory, memory + 1 the end
    QDateTime dumpEndsAt;
    bool hangupPending = false;
};
