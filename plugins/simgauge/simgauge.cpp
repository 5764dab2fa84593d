#include "simgauge.h"

#include "device/dmmdata.h"

#include <QRandomGenerator>

namespace {
const quint16 vendorId = 1155;
const quint16 productId = 22336;
const QString portName = QStringLiteral("sim0");
// Stored readings sent per pass of the event loop, and the least time
// between two progress reports.
const int storeBatch = 500;
const int progressIntervalMs = 50;

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QString envText(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

// Read at every download, so that one run can download memories of
// different sizes.
int storedReadings()
{
    return qMax(0, envInt("MERIDO_SIM_MEMORY", 300));
}

quint32 seed()
{
    bool ok = false;
    const quint32 value = qEnvironmentVariable("MERIDO_SIM_SEED").toUInt(&ok);
    return ok ? value : QRandomGenerator::global()->generate();
}
}

SimGauge::SimGauge(QObject *parent)
    : GaugePlugin(parent)
    , readings(seed())
    , unitMode(envText("MERIDO_SIM_UNIT", QStringLiteral("um")))
    , switchEvery(qMax(1, envInt("MERIDO_SIM_SWITCH_EVERY", 20)))
    , basis(envText("MERIDO_SIM_BASIS", QStringLiteral("Fe")))
{
    liveTimer.setInterval(qMax(1, envInt("MERIDO_SIM_INTERVAL_MS", 500)));
    connect(&liveTimer, &QTimer::timeout, this, &SimGauge::emitLiveReading);
    storeTimer.setInterval(0);
    connect(&storeTimer, &QTimer::timeout, this, &SimGauge::sendStoreBatch);
}

SimGauge::~SimGauge() = default;

bool SimGauge::openPort(const GaugePortInfo &port)
{
    portOpen = port.portName() == portName;
    return portOpen;
}

void SimGauge::closePort()
{
    portOpen = false;
}

bool SimGauge::isPortOpen() const
{
    return portOpen;
}

GaugePortInfo SimGauge::findPort(quint16, quint16)
{
    return GaugePortInfo(portName, vendorId, productId);
}

bool SimGauge::open(SerialDeviceInf *device)
{
    if (device && !device->isPortOpen() && !device->openPort(findPort(vendorId, productId)))
        return false;
    gaugeOpen = true;
    liveTimer.start();
    emit message(tr("Simulated gauge opened on %1.").arg(portName));
    emit opened();
    return true;
}

void SimGauge::close()
{
    if (!gaugeOpen)
        return;
    gaugeOpen = false;
    liveTimer.stop();
    storeTimer.stop();
    closePort();
    emit message(tr("Simulated gauge closed."));
    emit closed();
}

bool SimGauge::isOpen()
{
    return gaugeOpen;
}

QString SimGauge::currentUnit()
{
    if (unitMode == QLatin1String("switch"))
        return (liveCount / switchEvery) % 2 == 0 ? QStringLiteral("um") : QStringLiteral("mil");
    return unitMode;
}

void SimGauge::emitLiveReading()
{
    const QString unit = currentUnit();
    ++liveCount;
    emit display(readings.next(QDateTime::currentDateTime(), unit, basis));
}

void SimGauge::readStore()
{
    if (!gaugeOpen)
        return;
    memorySize = storedReadings();
    emit message(tr("Sending %1 stored readings.").arg(memorySize));
    // Everything, the first progress report included, comes from the event
    // loop, after the caller has set up to receive it.
    storePos = -1;
    storeTimer.start();
}

void SimGauge::sendStoreBatch()
{
    if (storePos < 0) {
        storePos = 0;
        emit storeNum(memorySize, 0);
        sinceProgress.start();
        if (memorySize == 0)
            storeTimer.stop();
        return;
    }
    // The memory holds one reading a second, the last taken a minute ago.
    // Local time at a fixed offset: arithmetic on it needs no time-zone
    // look-up, which would cost more than the rest of a reading.
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime last = now.toOffsetFromUtc(now.offsetFromUtc()).addSecs(-60);
    const int end = qMin(memorySize, storePos + storeBatch);
    for (; storePos < end && gaugeOpen; ++storePos) {
        emit displayStore(readings.next(last.addSecs(storePos - memorySize + 1),
                                        currentUnit(), basis));
    }
    if (!gaugeOpen)
        return;
    if (storePos >= memorySize) {
        storeTimer.stop();
        emit storeNum(memorySize, memorySize);
    } else if (sinceProgress.elapsed() >= progressIntervalMs) {
        emit storeNum(memorySize, storePos);
        sinceProgress.restart();
    }
}
