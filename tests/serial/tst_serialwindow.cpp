// The application with the serial gauge plug-in in its Lib, found by its own
// scan, against the gauge emulator over a pseudo-terminal.
#include "app/widget.h"
#include "device/dmmdata.h"
#include "items/itemdata.h"
#include "support/testsupport.h"
#include "support/windowdriver.h"

#include "emulator.h"

#include <QAction>
#include <QListWidget>
#include <QTreeView>

#include <memory>

class TestSerialWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<Emulator> emulator;
    WindowDriver w;

    ItemData *measure1() { return w.item(w.node(1, 0)); }
    ItemData *storeData() { return w.item(w.node(0)); }

    void start(const QStringList &arguments)
    {
        emulator = std::make_unique<Emulator>(arguments);
        QVERIFY2(!emulator->path.isEmpty(), "the emulator gave no port");
        qputenv("MERIDO_SERIAL_PORT", emulator->path.toLocal8Bit());
        w.window = new Widget;
        w.window->show();
        QVERIFY(w.action("actionConnect")->isEnabled());
        w.trigger("actionConnect");
        QVERIFY(w.action("actionDisconnect")->isEnabled());
    }

    // The value text (or over-range mark) and unit of each reading line of
    // the transcript: ...,value,unit,basis,range*CRC.
    static QStringList sentReadings(const QStringList &lines)
    {
        QStringList readings;
        for (const QString &line : lines) {
            const QStringList fields = line.section('*', 0, 0).split(',');
            const QString range = fields.last();
            const QString value = range == "OK" ? fields.at(fields.size() - 4) : range;
            readings << value + ' ' + fields.at(fields.size() - 3);
        }
        return readings;
    }

    static QStringList receivedReadings(const ItemData *item)
    {
        QStringList readings;
        for (const DmmData *data : item->dataList()) {
            const QString text = data->unit() == "um" ? data->textUm() : data->textMil();
            readings << text.trimmed() + ' ' + data->unit();
        }
        return readings;
    }

    QString states()
    {
        QString s;
        for (const char *name : {"actionConnect", "actionDisconnect", "actionStart", "actionStop"})
            s += w.action(name)->isEnabled() ? '1' : '0';
        return s;
    }

private slots:
    void cleanup()
    {
        delete w.window;
        emulator.reset();
        qunsetenv("MERIDO_SERIAL_PORT");
    }

    void recordsLiveReadingsInBothUnits()
    {
        start({"--rate", "200", "--unit", "switch"});
        w.trigger("actionStart");
        QTRY_VERIFY_WITH_TIMEOUT(measure1()->dataList().size() >= 25, 10000);
        w.trigger("actionStop");
        const QStringList received = receivedReadings(measure1());
        QCOMPARE(w.table()->rowCount(), received.size());
        QCOMPARE(w.label("lcdNum"), QString("Num:%1").arg(received.size()));
        QVERIFY(!received.filter(" um").isEmpty());
        QVERIFY(!received.filter(" mil").isEmpty());
        // What was recorded is an unbroken run of what the gauge sent.
        const QStringList sent = sentReadings(emulator->intactLines());
        const int first = sent.indexOf(received.first());
        QVERIFY(first >= 0);
        QCOMPARE(sent.mid(first, received.size()), received);
    }

    void downloadsTheMemory()
    {
        start({"--rate", "0", "--memory", "10000"});
        w.tree()->setCurrentIndex(w.node(0));
        w.trigger("actionItemDownload");
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(storeData()->dataList().size(), 10000);
        QCOMPARE(w.table()->rowCount(), 10000);
        QCOMPARE(w.label("lcdNum"), QString("Num:10000"));
        QCOMPARE(receivedReadings(storeData()), sentReadings(emulator->intactLines()));
    }

    void damagedLinesAreSkippedWithAMessage()
    {
        start({"--rate", "200", "--live-count", "60", "--fault", "garbage", "--fault", "corrupt",
               "--fault-every", "5"});
        w.trigger("actionStart");
        QTRY_COMPARE_WITH_TIMEOUT(emulator->transcript().size(), 60, 10000);
        const QStringList intact = sentReadings(emulator->intactLines());
        QVERIFY(intact.size() < 60);
        QTRY_COMPARE_WITH_TIMEOUT(receivedReadings(measure1()), intact, 5000);
        auto *log = w.window->findChild<QListWidget *>("listWidget");
        QVERIFY(!log->findItems("Skipped", Qt::MatchContains).isEmpty());
    }

    void hangUpClosesTheGauge()
    {
        start({"--rate", "0", "--memory", "5000", "--hangup-after", "1000"});
        w.tree()->setCurrentIndex(w.node(0));
        // The dialog closes itself 5 s after the last progress report.
        w.trigger("actionItemDownload");
        // Closed: Connect follows the port, which went with the hang-up.
        QCOMPARE(states().mid(1), QString("000"));
        QVERIFY(storeData()->dataList().size() <= 1000);
        QCOMPARE(receivedReadings(storeData()),
                 sentReadings(emulator->intactLines()).mid(0, storeData()->dataList().size()));
    }
};

MERIDO_TEST_MAIN(TestSerialWindow)
#include "tst_serialwindow.moc"
