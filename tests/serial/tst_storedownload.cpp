#include "support/testsupport.h"

#include "gaugeline.h"
#include "storedownload.h"

#include <QSignalSpy>

namespace {
GaugeLine line(GaugeLine::Type type, int number)
{
    GaugeLine line;
    line.type = type;
    line.count = number;
    line.index = number;
    return line;
}

// What one download handed on.
struct Outcome
{
    QList<int> stored;
    QList<QPair<int, int>> progress;
    QStringList messages;
};

// Starts a download and feeds it the lines, "MEM,n" as "M n", "REC,i" as
// "R i" and "END,n" as "E n".
Outcome run(StoreDownload &download, const QStringList &script)
{
    Outcome outcome;
    QObject context;
    QObject::connect(&download, &StoreDownload::stored, &context,
                     [&outcome](const GaugeLine &line) { outcome.stored << line.index; });
    QObject::connect(&download, &StoreDownload::progress, &context,
                     [&outcome](int total, int pos) { outcome.progress << qMakePair(total, pos); });
    QObject::connect(&download, &StoreDownload::message, &context,
                     [&outcome](const QString &text) { outcome.messages << text; });
    download.start();
    for (const QString &step : script) {
        const int number = step.mid(2).toInt();
        const QChar kind = step.at(0);
        download.take(line(kind == 'M' ? GaugeLine::Count
                                       : kind == 'R' ? GaugeLine::Stored : GaugeLine::End,
                           number));
    }
    return outcome;
}

QStringList wholeMemory(int total)
{
    QStringList script{QStringLiteral("M %1").arg(total)};
    for (int i = 1; i <= total; ++i)
        script << QStringLiteral("R %1").arg(i);
    return script << QStringLiteral("E %1").arg(total);
}
}

class TestStoreDownload : public QObject
{
    Q_OBJECT

private slots:
    void reportsBoundedProgress_data();
    void reportsBoundedProgress();
    void accountsForLosses_data();
    void accountsForLosses();
    void endsWhenTheGaugeFallsSilent();
    void ignoresLinesWhenIdle();
};

void TestStoreDownload::reportsBoundedProgress_data()
{
    QTest::addColumn<int>("total");
    QTest::newRow("empty memory") << 0;
    QTest::newRow("one reading") << 1;
    QTest::newRow("99 readings") << 99;
    QTest::newRow("10,000 readings") << 10000;
    QTest::newRow("100,001 readings") << 100001;
}

void TestStoreDownload::reportsBoundedProgress()
{
    QFETCH(int, total);
    StoreDownload download;
    const Outcome outcome = run(download, wholeMemory(total));
    QCOMPARE(outcome.stored.size(), total);
    QVERIFY(outcome.messages.isEmpty());
    QVERIFY(!download.isRunning());
    // At most one report a hundredth, plus the first and the last.
    QVERIFY2(outcome.progress.size() <= 102, qPrintable(QString::number(outcome.progress.size())));
    QCOMPARE(outcome.progress.first(), qMakePair(total, 0));
    QCOMPARE(outcome.progress.last(), qMakePair(total, total));
    for (int i = 1; i < outcome.progress.size(); ++i) {
        QCOMPARE(outcome.progress[i].first, total);
        QVERIFY(outcome.progress[i].second > outcome.progress[i - 1].second);
    }
}

void TestStoreDownload::accountsForLosses_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<bool>("finished"); // the final report came
    QTest::addColumn<QString>("message");

    QTest::newRow("one lost") << QStringList{"M 4", "R 1", "R 2", "R 4", "E 4"}
                              << QList<int>{1, 2, 4} << true << "1 of 4 stored readings";
    QTest::newRow("repeated") << QStringList{"M 3", "R 1", "R 2", "R 2", "R 3", "E 3"}
                              << QList<int>{1, 2, 3} << true << "out of sequence";
    QTest::newRow("beyond the count") << QStringList{"M 2", "R 1", "R 2", "R 3", "E 2"}
                                      << QList<int>{1, 2} << true << "out of sequence";
    QTest::newRow("left of an abandoned dump")
        << QStringList{"R 7", "R 8", "M 2", "R 1", "R 2", "E 2"} << QList<int>{1, 2} << true
        << QString();
    QTest::newRow("end disagrees") << QStringList{"M 2", "R 1", "R 2", "E 3"} << QList<int>{1, 2}
                                   << true << "announced 2";
    QTest::newRow("count lost") << QStringList{"R 1", "R 2", "E 2"} << QList<int>{} << false
                                << "without its count";
}

void TestStoreDownload::accountsForLosses()
{
    QFETCH(QStringList, script);
    QFETCH(QList<int>, stored);
    QFETCH(bool, finished);
    QFETCH(QString, message);
    StoreDownload download;
    const Outcome outcome = run(download, script);
    QCOMPARE(outcome.stored, stored);
    QVERIFY(!download.isRunning());
    const bool reportedEnd = !outcome.progress.isEmpty()
        && outcome.progress.last().first == outcome.progress.last().second;
    QCOMPARE(reportedEnd, finished);
    if (message.isEmpty())
        QVERIFY(outcome.messages.isEmpty());
    else
        QVERIFY2(!outcome.messages.filter(message).isEmpty(), qPrintable(outcome.messages.join('|')));
}

void TestStoreDownload::endsWhenTheGaugeFallsSilent()
{
    StoreDownload download;
    QSignalSpy messages(&download, &StoreDownload::message);
    const Outcome outcome = run(download, {"M 10", "R 1", "R 2", "R 3"});
    QVERIFY(download.isRunning());
    QVERIFY(messages.wait(StoreDownload::silenceMs + 2000));
    QVERIFY(messages.first().first().toString().contains("after 3 of 10"));
    QVERIFY(!download.isRunning());
}

void TestStoreDownload::ignoresLinesWhenIdle()
{
    StoreDownload download;
    QSignalSpy progress(&download, &StoreDownload::progress);
    int stored = 0;
    connect(&download, &StoreDownload::stored, this, [&stored] { ++stored; });
    for (const GaugeLine &l : {line(GaugeLine::Count, 2), line(GaugeLine::Stored, 1), line(GaugeLine::End, 2)})
        download.take(l);
    QCOMPARE(progress.count(), 0);
    QCOMPARE(stored, 0);
}

MERIDO_TEST_MAIN(TestStoreDownload)
#include "tst_storedownload.moc"
