#include "charts/updatethrottle.h"
#include "support/testsupport.h"

#include <QElapsedTimer>

// The repaint throttle: a lone request runs at once, a burst once per interval.
class TestUpdateThrottle : public QObject
{
    Q_OBJECT

private slots:
    void loneRequestRunsAtTheNextPass()
    {
        int runs = 0;
        UpdateThrottle throttle(1000, [&runs] { ++runs; });
        throttle.request();
        QCOMPARE(runs, 0);
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void burstRunsOncePerInterval()
    {
        int runs = 0;
        QElapsedTimer clock;
        qint64 secondRunAt = 0;
        UpdateThrottle throttle(200, [&] {
            if (++runs == 2)
                secondRunAt = clock.elapsed();
        });
        throttle.request();
        QCoreApplication::processEvents();
        clock.start();
        for (int i = 0; i < 1000; ++i)
            throttle.request();
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1); // the burst waits for the interval
        QTRY_COMPARE_WITH_TIMEOUT(runs, 2, 2000);
        QVERIFY2(secondRunAt >= 150, qPrintable(QString::number(secondRunAt)));
        QTest::qWait(300);
        QCOMPARE(runs, 2); // one run for the whole burst
    }
};

MERIDO_TEST_MAIN(TestUpdateThrottle)
#include "tst_updatethrottle.moc"
