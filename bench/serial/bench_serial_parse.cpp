// serial_parse_mb_s: the serial line reader alone, on a large buffer of
// live and stored reading lines, as fast as it can take them.
#include "support/benchutil.h"

#include "gaugeframe.h"
#include "gaugeline.h"
#include "gaugelinereader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
QByteArray sampleStream(int lines)
{
    QByteArray bytes;
    const QDateTime first(QDate(2024, 5, 1), QTime(8, 0));
    for (int i = 1; i <= lines; ++i) {
        GaugeLine line;
        line.type = i % 2 ? GaugeLine::Live : GaugeLine::Stored;
        line.unit = i % 3 ? QStringLiteral("um") : QStringLiteral("mil");
        line.basis = QStringLiteral("NFE");
        line.valueText = i % 3 ? QString::number(100 + i % 900) : QString::number((100 + i % 900) / 25.4, 'f', 2);
        line.index = i;
        line.time = first.addSecs(i);
        bytes += GaugeFrame::encode(line);
    }
    return bytes;
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int lines = 200000;
    const QByteArray stream = sampleStream(lines);

    QVector<double> rates;
    for (int run = 0; run < 7; ++run) {
        QBuffer buffer;
        buffer.setData(stream);
        buffer.open(QIODevice::ReadOnly);
        GaugeLineReader reader;
        int good = 0;
        QElapsedTimer timer;
        timer.start();
        reader.read(&buffer, [&good](const GaugeLine &line) {
            good += line.type != GaugeLine::Bad;
            return true;
        });
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (good != lines) {
            qCritical("parsed %d of %d lines", good, lines);
            return 1;
        }
        rates << stream.size() / 1e6 / seconds;
    }
    printFigure("serial_parse_mb_s", median(rates), "MB/s");
    return 0;
}
