// The serial gauge plug-in against the gauge emulator over a real
// pseudo-terminal: the same road a USB gauge takes, minus the USB.
#include "support/testsupport.h"

#include "emulator.h"

#include "device/dmmdata.h"
#include "device/interfaces.h"
#include "plugins/common/gaugetext.h"
#include "portwatcher.h"

#include <QFile>
#include <QPluginLoader>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {
const quint16 vendorId = 1155;
const quint16 productId = 22336;
const int waitMs = 15000;

// Takes every signal of the plug-in, connected by signature text as the
// application connects them.
class Receiver : public QObject
{
    Q_OBJECT

public:
    explicit Receiver(QObject *gauge)
    {
        connect(gauge, SIGNAL(opened()), this, SLOT(onOpened()));
        connect(gauge, SIGNAL(closed()), this, SLOT(onClosed()));
        connect(gauge, SIGNAL(message(QString)), this, SLOT(onMessage(QString)));
        connect(gauge, SIGNAL(display(const DmmData *)), this, SLOT(onDisplay(const DmmData *)));
        connect(gauge, SIGNAL(displayStore(const DmmData *)), this, SLOT(onDisplayStore(const DmmData *)));
        connect(gauge, SIGNAL(storeNum(int, int)), this, SLOT(onStoreNum(int, int)));
        connect(gauge, SIGNAL(usbRefreshed()), this, SLOT(onUsbRefreshed()));
    }

    int opened = 0;
    int closed = 0;
    int refreshed = 0;
    QStringList messages;
    std::vector<std::unique_ptr<const DmmData>> live;
    std::vector<std::unique_ptr<const DmmData>> stored;
    QList<QPair<int, int>> progress;

    bool finished(int total) const { return !progress.isEmpty() && progress.last() == qMakePair(total, total); }
    int skipped() const { return messages.filter("Skipped").size(); }

public slots:
    void onOpened() { ++opened; }
    void onClosed() { ++closed; }
    void onMessage(const QString &text) { messages << text; }
    void onDisplay(const DmmData *data) { live.emplace_back(data); }
    void onDisplayStore(const DmmData *data) { stored.emplace_back(data); }
    void onStoreNum(int total, int pos) { progress << qMakePair(total, pos); }
    void onUsbRefreshed() { ++refreshed; }
};

// The record says what the transcript line says: the value text in the
// gauge's unit as sent, the other unit formatted as the display would.
void checkReading(const DmmData *data, const QString &line)
{
    const QStringList fields = line.section('*', 0, 0).split(',');
    const QStringList reading = fields.mid(fields.size() - 4);
    const QString value = reading[0];
    const QString unit = reading[1];
    QCOMPARE(data->unit(), unit);
    QCOMPARE(data->basis(), reading[2]);
    if (reading[3] != QLatin1String("OK")) {
        const QString text = GaugeText::overRange(reading[3] == QLatin1String("OL") ? 1 : -1);
        QCOMPARE(data->textUm(), text);
        QCOMPARE(data->textMil(), text);
        QCOMPARE(data->valueUm(), 0.0);
    } else if (unit == QLatin1String("um")) {
        QCOMPARE(data->textUm(), value);
        QCOMPARE(data->valueUm(), value.toDouble());
        QCOMPARE(data->textMil(), GaugeText::mil(value.toDouble() / GaugeText::umPerMil));
    } else {
        QCOMPARE(data->textMil(), value);
        QCOMPARE(data->valueMil(), value.toDouble());
        QCOMPARE(data->textUm(), GaugeText::um(value.toDouble() * GaugeText::umPerMil));
    }
    if (fields[0] == QLatin1String("$REC"))
        QCOMPARE(data->time(), QDateTime::fromString(fields[2], Qt::ISODate));
}

void checkReadings(const std::vector<std::unique_ptr<const DmmData>> &received, const QStringList &lines)
{
    QCOMPARE(int(received.size()), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        checkReading(received[size_t(i)].get(), lines[i]);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("reading %1: %2").arg(i).arg(lines[i])));
    }
}
}

class TestSerialGauge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void findsThePortItIsPointedAt();
    void receivesLiveReadings_data();
    void receivesLiveReadings();
    void downloadsTheMemory_data();
    void downloadsTheMemory();
    void skipsDamagedLines_data();
    void skipsDamagedLines();
    void hangUpClosesTheGauge();
    void seesTheGaugeComeAndGo();

private:
    bool connectTo(const Emulator &emulator);

    QObject *gauge = nullptr;
    SerialDeviceInf *serialDevice = nullptr;
    SerialRS232VirInf *virtualPort = nullptr;
    IDmm *dmm = nullptr;
    IMyDmm *myDmm = nullptr;
};

void TestSerialGauge::initTestCase()
{
    QPluginLoader loader(QStringLiteral(SERIALGAUGE_PLUGIN));
    gauge = loader.instance();
    QVERIFY2(gauge, qPrintable(loader.errorString()));
    serialDevice = qobject_cast<SerialDeviceInf *>(gauge);
    virtualPort = qobject_cast<SerialRS232VirInf *>(gauge);
    dmm = qobject_cast<IDmm *>(gauge);
    myDmm = qobject_cast<IMyDmm *>(gauge);
    QVERIFY(serialDevice && virtualPort && dmm && myDmm);
    QCOMPARE(dmm->object(), gauge);
    QCOMPARE(serialDevice->object(), gauge);
}

void TestSerialGauge::cleanup()
{
    dmm->close();
    qunsetenv("MERIDO_SERIAL_PORT");
}

bool TestSerialGauge::connectTo(const Emulator &emulator)
{
    if (emulator.path.isEmpty())
        return false;
    qputenv("MERIDO_SERIAL_PORT", emulator.path.toLocal8Bit());
    return dmm->open(serialDevice);
}

void TestSerialGauge::findsThePortItIsPointedAt()
{
    Receiver receiver(gauge);
    qputenv("MERIDO_SERIAL_PORT", "/nonexistent/gauge");
    QVERIFY(virtualPort->findPort(vendorId, productId).isNull());
    QVERIFY(!dmm->open(serialDevice));
    QVERIFY(!dmm->isOpen());
    QCOMPARE(receiver.opened, 0);
    QVERIFY(!receiver.messages.filter("No gauge").isEmpty());
    dmm->close();
    QCOMPARE(receiver.closed, 0);

    Emulator emulator({"--rate", "0"});
    QVERIFY(!emulator.path.isEmpty());
    qputenv("MERIDO_SERIAL_PORT", emulator.path.toLocal8Bit());
    const GaugePortInfo port = virtualPort->findPort(vendorId, productId);
    QCOMPARE(port.portName(), emulator.path);
    QCOMPARE(port.vendorId(), vendorId);
    QCOMPARE(port.productId(), productId);
}

void TestSerialGauge::receivesLiveReadings_data()
{
    QTest::addColumn<QString>("unit");
    QTest::newRow("micrometres") << "um";
    QTest::newRow("mils") << "mil";
    QTest::newRow("switching") << "switch";
}

void TestSerialGauge::receivesLiveReadings()
{
    QFETCH(QString, unit);
    const int count = 40;
    Emulator emulator({"--rate", "200", "--live-count", QString::number(count), "--unit", unit});
    Receiver receiver(gauge);
    const QDateTime start = QDateTime::currentDateTime();
    QVERIFY(connectTo(emulator));
    QVERIFY(dmm->isOpen());
    QCOMPARE(receiver.opened, 1);

    QTRY_COMPARE_WITH_TIMEOUT(int(receiver.live.size()), count, waitMs);
    checkReadings(receiver.live, emulator.intactLines());
    for (const auto &data : receiver.live)
        QVERIFY(data->time() >= start.addSecs(-1) && data->time() <= QDateTime::currentDateTime());
    QCOMPARE(receiver.skipped(), 0);

    dmm->close();
    QVERIFY(!dmm->isOpen());
    QCOMPARE(receiver.closed, 1);
    dmm->close();
    QCOMPARE(receiver.closed, 1);
}

void TestSerialGauge::downloadsTheMemory_data()
{
    QTest::addColumn<int>("total");
    QTest::newRow("10,000 readings") << 10000;
    QTest::newRow("empty memory") << 0;
}

void TestSerialGauge::downloadsTheMemory()
{
    QFETCH(int, total);
    Emulator emulator({"--rate", "0", "--memory", QString::number(total), "--unit", "switch"});
    Receiver receiver(gauge);
    QVERIFY(connectTo(emulator));
    myDmm->readStore();
    QTRY_VERIFY_WITH_TIMEOUT(receiver.finished(total), waitMs);

    checkReadings(receiver.stored, emulator.intactLines());
    QVERIFY2(receiver.progress.size() <= 102, qPrintable(QString::number(receiver.progress.size())));
    QCOMPARE(receiver.progress.first(), qMakePair(total, 0));
    for (int i = 1; i < receiver.progress.size(); ++i) {
        QCOMPARE(receiver.progress[i].first, total);
        QVERIFY(receiver.progress[i].second > receiver.progress[i - 1].second);
    }
    QCOMPARE(receiver.skipped(), 0);
    QVERIFY(receiver.live.empty());
}

void TestSerialGauge::skipsDamagedLines_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<bool>("download");
    QTest::addColumn<bool>("skips"); // the fault shows as a skipped stretch

    QTest::newRow("garbage bytes") << QStringList{"--fault", "garbage"} << false << true;
    QTest::newRow("corrupted lines") << QStringList{"--fault", "corrupt"} << false << true;
    QTest::newRow("lost bytes") << QStringList{"--fault", "drop"} << false << true;
    QTest::newRow("split lines") << QStringList{"--fault", "split"} << false << false;
    QTest::newRow("every fault during a download")
        << QStringList{"--fault", "garbage", "--fault", "corrupt", "--fault", "drop", "--fault", "split"}
        << true << true;
}

// Damaged lines are skipped with a message; every intact line arrives, in
// order, and nothing else does.
void TestSerialGauge::skipsDamagedLines()
{
    QFETCH(QStringList, faults);
    QFETCH(bool, download);
    QFETCH(bool, skips);
    const int count = 150;
    QStringList arguments = faults + QStringList{"--fault-every", "6", "--unit", "switch"};
    if (download)
        arguments << "--rate" << "0" << "--memory" << QString::number(count);
    else
        arguments << "--rate" << "200" << "--live-count" << QString::number(count);
    Emulator emulator(arguments);
    Receiver receiver(gauge);
    QVERIFY(connectTo(emulator));

    if (download) {
        myDmm->readStore();
        QTRY_VERIFY_WITH_TIMEOUT(receiver.finished(count), waitMs);
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(emulator.transcript().size(), count, waitMs);
    }
    const QStringList intact = emulator.intactLines();
    const auto &received = download ? receiver.stored : receiver.live;
    QTRY_COMPARE_WITH_TIMEOUT(int(received.size()), intact.size(), waitMs);
    QTest::qWait(100);
    checkReadings(received, intact);

    const int faultCount = emulator.transcript(true).filter(QRegularExpression("^# ")).size();
    QCOMPARE(faultCount, count / 6);
    if (skips)
        QVERIFY2(receiver.skipped() >= (download ? faultCount * 3 / 4 : faultCount),
                 qPrintable(receiver.messages.join('\n')));
    else
        QCOMPARE(receiver.skipped(), 0);
    if (download)
        QVERIFY(!receiver.messages.filter("damaged in transfer").isEmpty());
    QVERIFY(dmm->isOpen());
}

void TestSerialGauge::hangUpClosesTheGauge()
{
    Emulator emulator({"--rate", "0", "--memory", "5000", "--hangup-after", "1000"});
    Receiver receiver(gauge);
    QVERIFY(connectTo(emulator));
    myDmm->readStore();
    QTRY_COMPARE_WITH_TIMEOUT(receiver.closed, 1, waitMs);
    QVERIFY(!dmm->isOpen());
    QVERIFY(!serialDevice->isPortOpen());
    QVERIFY(receiver.stored.size() <= 1000);
    QVERIFY(!receiver.finished(5000));
    QVERIFY2(!receiver.messages.filter("Lost the gauge").isEmpty(), qPrintable(receiver.messages.join('\n')));
    QTRY_COMPARE_WITH_TIMEOUT(emulator.process.state(), QProcess::NotRunning, waitMs);
    QCOMPARE(emulator.process.exitCode(), 0);

    // Closed is closed: nothing more happens.
    const int messages = receiver.messages.size();
    dmm->close();
    myDmm->readStore();
    QTest::qWait(200);
    QCOMPARE(receiver.closed, 1);
    QCOMPARE(receiver.messages.size(), messages);
}

void TestSerialGauge::seesTheGaugeComeAndGo()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("gauge");
    qputenv("MERIDO_SERIAL_PORT", link.toLocal8Bit());
    Receiver receiver(gauge);
    // Let the watcher settle on the ports as they are now.
    QTest::qWait(PortWatcher::intervalMs * 3 / 2);
    receiver.refreshed = 0;

    auto emulator = std::make_unique<Emulator>(QStringList{"--rate", "50", "--link", link});
    QTRY_COMPARE_WITH_TIMEOUT(receiver.refreshed, 1, PortWatcher::intervalMs * 3);
    QCOMPARE(virtualPort->findPort(vendorId, productId).portName(), link);
    QVERIFY(dmm->open(serialDevice));
    QTRY_VERIFY_WITH_TIMEOUT(!receiver.live.empty(), waitMs);

    // Pulling the gauge out closes it and the port disappears.
    emulator.reset();
    QTRY_COMPARE_WITH_TIMEOUT(receiver.closed, 1, waitMs);
    QVERIFY(!receiver.messages.filter("Lost the gauge").isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(receiver.refreshed, 2, PortWatcher::intervalMs * 3);
    QVERIFY(virtualPort->findPort(vendorId, productId).isNull());
}

MERIDO_TEST_MAIN(TestSerialGauge)
#include "tst_serialgauge.moc"
