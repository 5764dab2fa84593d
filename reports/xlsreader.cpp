#include "xlsreader.h"

#include "sheetgrid.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QList>
#include <QProcess>
#include <QVariant>

namespace {
QString unescape(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        char c = text.at(i);
        if (c == '\\' && i + 1 < text.size()) {
            c = text.at(++i);
            c = c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        out.append(c);
    }
    return QString::fromUtf8(out);
}
}

QString XlsReader::helperPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/merido-xlsdump");
}

bool XlsReader::fail(const QString &message)
{
    error = message;
    return false;
}

bool XlsReader::readLine(const QByteArray &line, SheetGrid *grid)
{
    const QList<QByteArray> fields = line.split('\t');
    bool rowOk = false;
    bool columnOk = false;
    const int row = fields.value(0).toInt(&rowOk);
    const int column = fields.value(1).toInt(&columnOk);
    if (fields.size() != 4 || !rowOk || !columnOk || fields.at(2).size() != 1)
        return false;
    const QByteArray &text = fields.at(3);
    QVariant value;
    switch (fields.at(2).at(0)) {
    case 'n': {
        bool ok = false;
        value = text.toDouble(&ok);
        if (!ok)
            return false;
        break;
    }
    case 's':
        value = unescape(text);
        break;
    case 'd':
        value = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        break;
    case 'D':
        value = QDateTime(QDate::fromString(QString::fromLatin1(text), Qt::ISODate), QTime(0, 0));
        break;
    case 't':
        value = QTime::fromString(QString::fromLatin1(text), QStringLiteral("hh:mm:ss"));
        break;
    default:
        return false;
    }
    return grid->setCell(row, column, value);
}

bool XlsReader::read(const QString &fileName, SheetGrid *grid)
{
    error.clear();
    QProcess helper;
    helper.setProcessChannelMode(QProcess::SeparateChannels);
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(helperPath(), {fileName}, QIODevice::ReadOnly);
    if (!helper.waitForStarted())
        return fail(QStringLiteral("cannot run %1: %2").arg(helperPath(), helper.errorString()));

    const QDeadlineTimer deadline(timeLimitMs);
    QByteArray pending;
    qint64 total = 0;
    for (;;) {
        if (helper.state() != QProcess::NotRunning)
            helper.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        const QByteArray chunk = helper.readAllStandardOutput();
        total += chunk.size();
        pending += chunk;
        int start = 0;
        bool linesOk = true;
        for (int end = pending.indexOf('\n'); end >= 0 && linesOk; end = pending.indexOf('\n', start)) {
            linesOk = readLine(pending.mid(start, end - start), grid);
            start = end + 1;
        }
        pending.remove(0, start);
        QString problem;
        if (!linesOk)
            problem = QStringLiteral("unreadable cell in the worksheet");
        else if (total > maxOutput)
            problem = QStringLiteral("the worksheet is too large to read");
        else if (helper.state() == QProcess::NotRunning)
            break;
        else if (deadline.hasExpired())
            problem = QStringLiteral("reading the worksheet took too long");
        if (!problem.isEmpty()) {
            helper.kill();
            helper.waitForFinished();
            return fail(problem);
        }
    }
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0 || !pending.isEmpty())
        return fail(QStringLiteral("not a readable .xls workbook"));
    return true;
}
