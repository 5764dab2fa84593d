// gauge-emulator: plays the gauge on a pseudo-terminal. Prints the port path
// to open on its first line of output, then runs until interrupted.
#include "gaugeemulator.h"
#include "pseudoterminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTextStream>

#include <algorithm>
#include <csignal>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop, so that the link is removed.
void quitOnSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

int fail(const QString &text)
{
    QTextStream(stderr) << "gauge-emulator: " << text << '\n';
    return 2;
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gauge-emulator"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays the Merido gauge on a pseudo-terminal. The first line of output is the "
        "port to open, e.g. MERIDO_SERIAL_PORT=<that path> for the serial plug-in."));
    parser.addHelpOption();
    const QCommandLineOption rate(QStringLiteral("rate"), QStringLiteral("Live readings a second (0: none)."), QStringLiteral("n"), QStringLiteral("2"));
    const QCommandLineOption liveCount(QStringLiteral("live-count"), QStringLiteral("Stop after this many live readings."), QStringLiteral("n"), QStringLiteral("-1"));
    const QCommandLineOption unit(QStringLiteral("unit"), QStringLiteral("um, mil, or switch (ten readings each)."), QStringLiteral("unit"), QStringLiteral("um"));
    const QCommandLineOption basis(QStringLiteral("basis"), QStringLiteral("Measuring basis, 1-8 of A-Z a-z 0-9 -."), QStringLiteral("text"), QStringLiteral("FE"));
    const QCommandLineOption memory(QStringLiteral("memory"), QStringLiteral("Stored readings sent on request."), QStringLiteral("n"), QStringLiteral("300"));
    const QCommandLineOption fault(QStringLiteral("fault"), QStringLiteral("garbage, corrupt, drop or split; repeat for several, used in turn."), QStringLiteral("kind"));
    const QCommandLineOption faultEvery(QStringLiteral("fault-every"), QStringLiteral("Damage one reading line in this many."), QStringLiteral("n"), QStringLiteral("10"));
    const QCommandLineOption hangupAfter(QStringLiteral("hangup-after"), QStringLiteral("Hang up after sending this many stored readings."), QStringLiteral("n"), QStringLiteral("-1"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the readings and faults."), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption link(QStringLiteral("link"), QStringLiteral("Also make this symbolic link to the port while running."), QStringLiteral("path"));
    const QCommandLineOption transcript(QStringLiteral("transcript"), QStringLiteral("Write every reading line sent to this file."), QStringLiteral("file"));
    parser.addOptions({rate, liveCount, unit, basis, memory, fault, faultEvery, hangupAfter, seed, link, transcript});
    parser.process(app);

    GaugeEmulator::Options options;
    bool ok[6] = {};
    options.rate = parser.value(rate).toDouble(&ok[0]);
    options.liveCount = parser.value(liveCount).toInt(&ok[1]);
    options.memory = parser.value(memory).toInt(&ok[2]);
    options.faultEvery = parser.value(faultEvery).toInt(&ok[3]);
    options.hangupAfter = parser.value(hangupAfter).toInt(&ok[4]);
    options.seed = parser.value(seed).toUInt(&ok[5]);
    if (std::find(std::begin(ok), std::end(ok), false) != std::end(ok))
        return fail(QStringLiteral("a numeric option is not a number"));
    if (options.rate < 0 || options.rate > 1000 || options.memory < 0 || options.memory > 1000000)
        return fail(QStringLiteral("--rate must be 0 to 1000, --memory 0 to 1000000"));
    options.unit = parser.value(unit);
    if (!QStringList{QStringLiteral("um"), QStringLiteral("mil"), QStringLiteral("switch")}.contains(options.unit))
        return fail(QStringLiteral("--unit must be um, mil or switch"));
    options.basis = parser.value(basis);
    if (!QRegularExpression(QStringLiteral("^[A-Za-z0-9-]{1,8}$")).match(options.basis).hasMatch())
        return fail(QStringLiteral("--basis must be 1 to 8 of A-Z a-z 0-9 -"));
    options.faults = parser.values(fault);
    for (const QString &kind : options.faults) {
        if (!QStringList{QStringLiteral("garbage"), QStringLiteral("corrupt"), QStringLiteral("drop"), QStringLiteral("split")}.contains(kind))
            return fail(QStringLiteral("unknown fault %1").arg(kind));
    }
    options.transcript = parser.value(transcript);

    PseudoTerminal terminal;
    QString error;
    if (!terminal.open(parser.value(link), &error))
        return fail(error);
    GaugeEmulator emulator(options, &terminal);
    if (!emulator.start(&error))
        return fail(error);
    QObject::connect(&emulator, &GaugeEmulator::hungUp, &app, &QCoreApplication::quit);
    quitOnSignals();

    QTextStream(stdout) << terminal.slavePath() << Qt::endl;
    QTextStream(stderr) << "gauge-emulator: run the application with MERIDO_SERIAL_PORT="
                        << (parser.isSet(link) ? parser.value(link) : terminal.slavePath())
                        << "; Ctrl+C ends.\n";
    return app.exec();
}
