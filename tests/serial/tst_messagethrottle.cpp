#include "support/testsupport.h"

#include "messagethrottle.h"

class TestMessageThrottle : public QObject
{
    Q_OBJECT

private slots:
    void sumsUpABurst();
};

// A burst passes up to the window's allowance; the rest come as one
// message when the window ends, and the next window passes messages again.
void TestMessageThrottle::sumsUpABurst()
{
    MessageThrottle throttle;
    QStringList seen;
    connect(&throttle, &MessageThrottle::message, this, [&seen](const QString &text) { seen << text; });
    const int allowed = MessageThrottle::maxPerWindow;
    const int burst = allowed * 3 + 7;
    for (int i = 0; i < burst; ++i)
        throttle.post(QString::number(i));
    QCOMPARE(seen.size(), allowed);
    QCOMPARE(seen.last(), QString::number(allowed - 1));

    QTRY_COMPARE_WITH_TIMEOUT(seen.size(), allowed + 1, MessageThrottle::windowMs * 2);
    QVERIFY2(seen.last().contains(QString::number(burst - allowed)), qPrintable(seen.last()));

    throttle.post(QStringLiteral("next window"));
    QCOMPARE(seen.last(), QStringLiteral("next window"));
    QTest::qWait(MessageThrottle::windowMs + 200);
    QCOMPARE(seen.size(), allowed + 2);
}

MERIDO_TEST_MAIN(TestMessageThrottle)
#include "tst_messagethrottle.moc"
