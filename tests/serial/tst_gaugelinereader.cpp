#include "support/testsupport.h"

#include "gaugeframe.h"
#include "gaugeline.h"
#include "gaugelinereader.h"
#include "gaugereading.h"

#include "device/dmmdata.h"

#include <QBuffer>
#include <QDir>

#include <memory>

Q_DECLARE_METATYPE(GaugeLine)

namespace {
GaugeLine reading(GaugeLine::Type type, const QString &text, const QString &unit,
                  const QString &basis = QStringLiteral("FE"), int overRange = 0)
{
    GaugeLine line;
    line.type = type;
    line.valueText = text;
    line.value = text.toDouble();
    line.unit = unit;
    line.basis = basis;
    line.overRange = overRange;
    return line;
}

GaugeLine counted(GaugeLine::Type type, int count)
{
    GaugeLine line;
    line.type = type;
    line.count = count;
    return line;
}

QByteArray live(const QByteArray &value)
{
    return GaugeFrame::frame("LIVE," + value + ",um,FE,OK");
}

// Every line the reader hands over for the given bytes, fed in pieces of
// the given size; kept tells the most it held back between pieces.
QVector<GaugeLine> readAll(const QByteArray &bytes, int piece, qsizetype *kept = nullptr)
{
    QVector<GaugeLine> lines;
    GaugeLineReader reader;
    for (int at = 0; at < bytes.size(); at += piece) {
        QBuffer buffer;
        buffer.setData(bytes.mid(at, piece));
        buffer.open(QIODevice::ReadOnly);
        reader.read(&buffer, [&lines](const GaugeLine &line) {
            lines << line;
            return true;
        });
        if (kept)
            *kept = qMax(*kept, reader.buffered());
    }
    return lines;
}
}

class TestGaugeLineReader : public QObject
{
    Q_OBJECT

private slots:
    void checksumIsCrc16Ccitt();
    void parsesGoodLines_data();
    void parsesGoodLines();
    void rejectsBadLines_data();
    void rejectsBadLines();
    void resynchronises_data();
    void resynchronises();
    void stopsWhenHandlerSaysSo();
    void replaysFuzzCases();
    void makesRecords_data();
    void makesRecords();
};

void TestGaugeLineReader::checksumIsCrc16Ccitt()
{
    QCOMPARE(GaugeFrame::checksum("123456789", 9), quint16(0x29B1));
    QCOMPARE(GaugeFrame::frame("LIVE,120,um,FE,OK"), QByteArray("$LIVE,120,um,FE,OK*4E74\r\n"));
}

void TestGaugeLineReader::parsesGoodLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<GaugeLine>("expected");

    QTest::newRow("live micrometres") << QByteArray("$LIVE,120,um,FE,OK*4E74\r\n")
                                      << reading(GaugeLine::Live, "120", "um");
    QTest::newRow("live mils") << GaugeFrame::frame("LIVE,4.72,mil,NFE,OK")
                               << reading(GaugeLine::Live, "4.72", "mil", "NFE");
    QTest::newRow("negative, three decimals") << GaugeFrame::frame("LIVE,-0.125,mil,FE,OK")
                                              << reading(GaugeLine::Live, "-0.125", "mil");
    QTest::newRow("over range") << GaugeFrame::frame("LIVE,,um,FE,OL")
                                << reading(GaugeLine::Live, QString(), "um", "FE", 1);
    QTest::newRow("negative over range") << GaugeFrame::frame("LIVE,,mil,FE,-OL")
                                         << reading(GaugeLine::Live, QString(), "mil", "FE", -1);
    GaugeLine stored = reading(GaugeLine::Stored, "118", "um", "Fe-2");
    stored.index = 1000000;
    stored.time = QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58));
    QTest::newRow("stored reading")
        << GaugeFrame::frame("REC,1000000,2024-02-29T23:59:58,118,um,Fe-2,OK") << stored;
    QTest::newRow("count") << GaugeFrame::frame("MEM,10000") << counted(GaugeLine::Count, 10000);
    QTest::newRow("empty memory") << GaugeFrame::frame("MEM,0") << counted(GaugeLine::Count, 0);
    QTest::newRow("end") << GaugeFrame::frame("END,10000") << counted(GaugeLine::End, 10000);
    QTest::newRow("request") << GaugeFrame::frame("GETMEM") << counted(GaugeLine::MemoryRequest, 0);
    QTest::newRow("line feed alone") << QByteArray("$LIVE,120,um,FE,OK*4E74\n")
                                     << reading(GaugeLine::Live, "120", "um");
    QTest::newRow("lower-case checksum") << QByteArray("$LIVE,120,um,FE,OK*4e74\r\n")
                                         << reading(GaugeLine::Live, "120", "um");
}

void TestGaugeLineReader::parsesGoodLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(GaugeLine, expected);
    const QVector<GaugeLine> lines = readAll(bytes, bytes.size());
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].problem, QString());
    QVERIFY(lines[0] == expected);
    // What the emulator sends for the line is what came in.
    QCOMPARE(GaugeFrame::encode(expected), GaugeFrame::frame(bytes.mid(1, bytes.indexOf('*') - 1)));
}

void TestGaugeLineReader::rejectsBadLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    QTest::newRow("checksum off by one") << QByteArray("$LIVE,120,um,FE,OK*4E75\r\n") << "bad checksum";
    QTest::newRow("no checksum") << QByteArray("$LIVE,120,um,FE,OK\r\n") << "no checksum";
    QTest::newRow("checksum not hex") << QByteArray("$LIVE,120,um,FE,OK*4G74\r\n") << "no checksum";
    QTest::newRow("control character") << GaugeFrame::frame("LIVE,1\x01" "0,um,FE,OK") << "bad characters";
    QTest::newRow("unknown record") << GaugeFrame::frame("HELLO,1") << "unknown record";
    QTest::newRow("field missing") << GaugeFrame::frame("LIVE,120,um,FE") << "wrong number of fields";
    QTest::newRow("field too many") << GaugeFrame::frame("LIVE,120,um,FE,OK,1") << "wrong number of fields";
    QTest::newRow("no value in range") << GaugeFrame::frame("LIVE,,um,FE,OK") << "bad value";
    QTest::newRow("six digits") << GaugeFrame::frame("LIVE,123456,um,FE,OK") << "bad value";
    QTest::newRow("four decimals") << GaugeFrame::frame("LIVE,1.2345,mil,FE,OK") << "bad value";
    QTest::newRow("bare point") << GaugeFrame::frame("LIVE,12.,um,FE,OK") << "bad value";
    QTest::newRow("value beside OL") << GaugeFrame::frame("LIVE,120,um,FE,OL") << "over-range";
    QTest::newRow("unknown unit") << GaugeFrame::frame("LIVE,120,mm,FE,OK") << "bad unit";
    QTest::newRow("basis too long") << GaugeFrame::frame("LIVE,120,um,ABCDEFGHI,OK") << "bad basis";
    QTest::newRow("basis empty") << GaugeFrame::frame("LIVE,120,um,,OK") << "bad basis";
    QTest::newRow("unknown range") << GaugeFrame::frame("LIVE,120,um,FE,ok") << "bad range";
    QTest::newRow("count too large") << GaugeFrame::frame("MEM,1000001") << "bad count";
    QTest::newRow("count signed") << GaugeFrame::frame("END,-1") << "bad count";
    QTest::newRow("index zero") << GaugeFrame::frame("REC,0,2024-05-01T10:15:30,118,um,FE,OK") << "bad index";
    QTest::newRow("30 February") << GaugeFrame::frame("REC,1,2024-02-30T10:15:30,118,um,FE,OK") << "bad time";
    QTest::newRow("hour 24") << GaugeFrame::frame("REC,1,2024-05-01T24:00:00,118,um,FE,OK") << "bad time";
    QTest::newRow("too long") << GaugeFrame::frame("LIVE,120,um,FE,OK," + QByteArray(80, 'x')) << "too long";
}

void TestGaugeLineReader::rejectsBadLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QVector<GaugeLine> lines = readAll(bytes, bytes.size());
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].type, GaugeLine::Bad);
    QVERIFY2(lines[0].problem.contains(reason), qPrintable(lines[0].problem));
    for (const QChar c : lines[0].problem)
        QVERIFY2(c.unicode() >= 0x20 && c.unicode() != 0x7F, qPrintable(lines[0].problem));
}

void TestGaugeLineReader::resynchronises_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("skipped");

    const QByteArray a = live("120");
    const QByteArray b = live("121");
    QByteArray lostByte = a;
    lostByte.remove(8, 1);
    QTest::newRow("noise before a line") << QByteArray("\x00\xff junk", 7) + a + b << QStringList{"120", "121"} << 1;
    QTest::newRow("dollars in the noise") << "$$x$" + a << QStringList{"120"} << 1;
    QTest::newRow("a line of noise") << a + "garbage\r\n" + b << QStringList{"120", "121"} << 1;
    QTest::newRow("lost line end") << a.chopped(2) + b << QStringList{"121"} << 1;
    QTest::newRow("lost byte") << lostByte + b << QStringList{"121"} << 1;
    QTest::newRow("line cut short") << a.left(12) + b << QStringList{"121"} << 1;
    QTest::newRow("long run of noise") << QByteArray(1000, 'x') + a << QStringList{"120"} << 1;
    QTest::newRow("long run ending in a line") << QByteArray(1000, 'x') + "\r\n" + a << QStringList{"120"} << 1;
    QTest::newRow("blank lines") << "\r\n\n" + a + "\r\r\n" + b << QStringList{"120", "121"} << 0;
}

void TestGaugeLineReader::resynchronises()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, values);
    QFETCH(int, skipped);
    // Whole, in pieces, and byte by byte, as a serial port may deliver it.
    for (const int piece : {int(bytes.size()), 7, 1}) {
        QStringList seen;
        int bad = 0;
        qsizetype kept = 0;
        for (const GaugeLine &line : readAll(bytes, piece, &kept)) {
            if (line.type == GaugeLine::Bad)
                ++bad;
            else
                seen << line.valueText;
        }
        QCOMPARE(seen, values);
        QCOMPARE(bad, skipped);
        QVERIFY(kept <= GaugeFrame::maxLength);
    }
}

void TestGaugeLineReader::stopsWhenHandlerSaysSo()
{
    GaugeLineReader reader;
    const QByteArray bytes = live("1") + live("2") + live("3").left(10);
    int taken = 0;
    QVERIFY(!reader.feed(bytes.constData(), bytes.size(), [&taken](const GaugeLine &) {
        ++taken;
        return false;
    }));
    QCOMPARE(taken, 1);
    QCOMPARE(reader.buffered(), qsizetype(0));
}

// Seeds and findings of the fuzzer (fuzz/serial), run here on every build.
void TestGaugeLineReader::replaysFuzzCases()
{
    const QDir root(QStringLiteral(FUZZ_CASES_DIR));
    int files = 0;
    for (const QString &folder : {QStringLiteral("seeds"), QStringLiteral("regressions")}) {
        const QDir dir(root.filePath(folder));
        for (const QFileInfo &entry : dir.entryInfoList(QDir::Files)) {
            QFile file(entry.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            qsizetype kept = 0;
            for (const GaugeLine &line : readAll(bytes, 1, &kept) + readAll(bytes, bytes.size() + 1)) {
                if (line.type == GaugeLine::Live || line.type == GaugeLine::Stored)
                    delete GaugeReading::create(line, line.time);
            }
            QVERIFY2(kept <= GaugeFrame::maxLength, qPrintable(entry.fileName()));
            ++files;
        }
    }
    QVERIFY(files > 0);
}

void TestGaugeLineReader::makesRecords_data()
{
    QTest::addColumn<GaugeLine>("line");
    QTest::addColumn<double>("valueUm");
    QTest::addColumn<double>("valueMil");
    QTest::addColumn<QString>("textUm");
    QTest::addColumn<QString>("textMil");

    QTest::newRow("micrometres") << reading(GaugeLine::Live, "120", "um") << 120.0 << 120 / 25.4
                                 << "120" << "4.72";
    QTest::newRow("mils") << reading(GaugeLine::Live, "4.72", "mil") << 4.72 * 25.4 << 4.72
                          << "120" << "4.72";
    QTest::newRow("text kept as sent") << reading(GaugeLine::Live, "0125.0", "um") << 125.0
                                       << 125 / 25.4 << "0125.0" << "4.92";
    QTest::newRow("over range") << reading(GaugeLine::Live, QString(), "mil", "FE", 1) << 0.0 << 0.0
                                << "    OL" << "    OL";
    QTest::newRow("negative over range") << reading(GaugeLine::Stored, QString(), "um", "FE", -1)
                                         << 0.0 << 0.0 << "   -OL" << "   -OL";
}

void TestGaugeLineReader::makesRecords()
{
    QFETCH(GaugeLine, line);
    QFETCH(double, valueUm);
    QFETCH(double, valueMil);
    QFETCH(QString, textUm);
    QFETCH(QString, textMil);
    const QDateTime time(QDate(2024, 5, 1), QTime(10, 15, 30));
    const std::unique_ptr<DmmData> data(GaugeReading::create(line, time));
    QCOMPARE(data->time(), time);
    QCOMPARE(data->valueUm(), valueUm);
    QCOMPARE(data->valueMil(), valueMil);
    QCOMPARE(data->textUm(), textUm);
    QCOMPARE(data->textMil(), textMil);
    QCOMPARE(data->unit(), line.unit);
    QCOMPARE(data->basis(), line.basis);
    QVERIFY(!data->parent());
}

MERIDO_TEST_MAIN(TestGaugeLineReader)
#include "tst_gaugelinereader.moc"
