// Time from process start to the main window shown, median of repeated runs,
// beside the same figure for an empty QMainWindow.
#include "support/benchutil.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>

static double startupMs(const QStringList &arguments)
{
    QProcess probe;
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    probe.start(QStringLiteral(STARTUP_PROBE), arguments);
    if (!probe.waitForFinished(10000))
        qFatal("the start-up probe did not finish");
    const qint64 shownUs = probe.readAllStandardOutput().trimmed().toLongLong();
    return shownUs / 1000.0 - started;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = 15;
    QVector<double> window, bare;
    startupMs({}); // warm the file cache
    for (int i = 0; i < runs; ++i) {
        window << startupMs({});
        bare << startupMs({QStringLiteral("bare")});
    }
    const double windowMs = median(window);
    const double bareMs = median(bare);
    printFigure("startup_ms", windowMs, "ms");
    printFigure("startup_bare_qmainwindow_ms", bareMs, "ms");
    printFigure("startup_vs_bare_ratio", windowMs / bareMs, "x", 2);
    return 0;
}
