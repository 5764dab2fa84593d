#include "emulator.h"

#include <QFile>
#include <QRegularExpression>

Emulator::Emulator(const QStringList &arguments)
{
    process.start(QStringLiteral(GAUGE_EMULATOR),
                  arguments + QStringList{"--transcript", dir.filePath("transcript")});
    if (process.waitForReadyRead(5000))
        path = QString::fromLocal8Bit(process.readLine()).trimmed();
}

Emulator::~Emulator()
{
    process.terminate();
    process.waitForFinished(5000);
}

QStringList Emulator::transcript(bool withFaults) const
{
    QFile file(dir.filePath("transcript"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.isEmpty() && (withFaults || !line.startsWith('#')))
            lines << QString::fromLatin1(line);
    }
    return lines;
}

QStringList Emulator::intactLines() const
{
    return transcript().filter(QRegularExpression("^\\$"));
}
