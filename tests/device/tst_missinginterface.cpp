#include "app/widget.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

// This test's Lib holds a plug-in with the meter interfaces only.
class TestMissingInterface : public QObject
{
    Q_OBJECT

private slots:
    void explainsThenQuits()
    {
        QString text;
        answerNextModal(clickMessageBox(QMessageBox::Ok, &text));
        Widget window;
        QVERIFY2(text.contains(QDir::toNativeSeparators(testBinDir() + "/Lib")), qPrintable(text));
        QVERIFY(text.contains("com.qz.SerialDeviceInf"));
        QVERIFY(text.contains("com.qz.SerialRS232VirInf"));
        QVERIFY(!text.contains("com.qz.IDmm"));

        // The window was still built, without calling through the missing
        // interfaces, and the scheduled quit ends the event loop.
        QVERIFY(!window.findChild<QAction *>("actionConnect")->isEnabled());
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

MERIDO_TEST_MAIN(TestMissingInterface)
#include "tst_missinginterface.moc"
