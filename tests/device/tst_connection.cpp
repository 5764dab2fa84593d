#include "app/widget.h"
#include "support/testsupport.h"

#include <QAction>
#include <QMessageBox>
#include <QLineEdit>
#include <QPluginLoader>
#include <QPushButton>
#include <QTreeView>

// The connection actions follow the gauge's signals and its port; the gauge
// is the fake one in this test's Lib, steered through its properties.
class TestConnection : public QObject
{
    Q_OBJECT

    QObject *gauge = nullptr;

    QAction *action(Widget &window, const char *name) { return window.findChild<QAction *>(name); }

    QString states(Widget &window)
    {
        QString s;
        for (const char *name : {"actionConnect", "actionDisconnect", "actionStart", "actionStop"})
            s += action(window, name)->isEnabled() ? '1' : '0';
        return s;
    }

    void emitSignal(const char *signal) { QVERIFY(QMetaObject::invokeMethod(gauge, signal)); }

private slots:
    void initTestCase()
    {
        QPluginLoader loader(testBinDir() + "/Lib/libfakegauge.so");
        gauge = loader.instance();
        QVERIFY2(gauge, qPrintable(loader.errorString()));
    }

    void init()
    {
        gauge->setProperty("portPresent", true);
        gauge->setProperty("openSucceeds", true);
        gauge->setProperty("gaugeOpen", false);
        gauge->setProperty("openCalls", 0);
    }

    // Connect, Disconnect, Start, Stop enabled (1) or not (0) after each step.
    void actionStates_data()
    {
        QTest::addColumn<bool>("portAtStart");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");

        QTest::newRow("start-up, port absent") << false << QStringList() << "0000";
        QTest::newRow("start-up, port present") << true << QStringList() << "1000";
        QTest::newRow("opened") << true << QStringList{"opened"} << "0110";
        QTest::newRow("recording") << true << QStringList{"opened", "start"} << "0101";
        QTest::newRow("stopped") << true << QStringList{"opened", "start", "stop"} << "0110";
        QTest::newRow("closed while recording") << true << QStringList{"opened", "start", "closed"} << "1000";
        QTest::newRow("port appears") << false << QStringList{"present", "usbRefreshed"} << "1000";
        QTest::newRow("port goes while open") << true << QStringList{"opened", "absent", "usbRefreshed"} << "0110";
        QTest::newRow("port back while open") << true << QStringList{"opened", "usbRefreshed"} << "1110";
        QTest::newRow("closed, port gone, no refresh") << true << QStringList{"opened", "absent", "closed"} << "1000";
        QTest::newRow("closed, port gone, refresh") << true << QStringList{"opened", "absent", "closed", "usbRefreshed"} << "0000";
    }

    void actionStates()
    {
        QFETCH(bool, portAtStart);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);

        gauge->setProperty("portPresent", portAtStart);
        Widget window;
        for (const QString &step : steps) {
            if (step == "start")
                action(window, "actionStart")->trigger();
            else if (step == "stop")
                action(window, "actionStop")->trigger();
            else if (step == "present" || step == "absent")
                gauge->setProperty("portPresent", step == "present");
            else if (step == "opened" || step == "closed")
                gauge->setProperty("gaugeOpen", step == "opened"), emitSignal(qPrintable(step));
            else
                emitSignal(qPrintable(step));
        }
        QCOMPARE(states(window), expected);
    }

    void connectAndDisconnect()
    {
        Widget window;
        action(window, "actionConnect")->trigger();
        QCOMPARE(gauge->property("openCalls").toInt(), 1);
        QCOMPARE(states(window), QString("0110"));
        action(window, "actionDisconnect")->trigger();
        QCOMPARE(states(window), QString("1000"));
    }

    void failedOpenSaysSoAndChangesNothing()
    {
        gauge->setProperty("openSucceeds", false);
        Widget window;
        QString text;
        answerNextModal(clickMessageBox(QMessageBox::Ok, &text));
        action(window, "actionConnect")->trigger();
        QCOMPARE(text, QString("Failed to open device."));
        QCOMPARE(states(window), QString("1000"));
    }

    void startRefusedWhileStoreDataActive()
    {
        Widget window;
        gauge->setProperty("gaugeOpen", true);
        emitSignal("opened");
        QVERIFY(QMetaObject::invokeMethod(&window, "itemSetToActive",
                                          Q_ARG(QModelIndex, window.findChild<QTreeView *>("tvItems")->model()->index(0, 0))));
        QCOMPARE(states(window), QString("0100"));
        emitSignal("opened");
        QCOMPARE(states(window), QString("0100"));
        QVERIFY(QMetaObject::invokeMethod(&window, "on_actionStart_triggered"));
        QCOMPARE(states(window), QString("0100"));
    }

    void optionsDialog()
    {
        Widget window;
        for (const char *button : {"Ok", "Cancel"}) {
            QString field;
            answerNextModal([&](QWidget *dialog) {
                auto *edit = dialog->findChild<QLineEdit *>();
                field = edit->text();
                edit->setText("edited");
                for (auto *push : dialog->findChildren<QPushButton *>())
                    if (push->text() == button)
                        push->click();
            });
            action(window, "actionOption")->trigger();
            QCOMPARE(field, QString("Defaule Name"));
        }
    }
};

MERIDO_TEST_MAIN(TestConnection)
#include "tst_connection.moc"
