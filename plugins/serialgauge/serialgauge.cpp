#include "serialgauge.h"

#include "gaugeframe.h"
#include "gaugeline.h"
#include "gaugereading.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace {
const quint16 gaugeVendorId = 1155;
const quint16 gaugeProductId = 22336;
}

SerialGauge::SerialGauge(QObject *parent)
    : GaugePlugin(parent)
{
    connect(port, &QSerialPort::readyRead, this, &SerialGauge::readPort);
    connect(port, &QSerialPort::errorOccurred, this, &SerialGauge::portError);
    connect(&watcher, &PortWatcher::changed, this, &SerialGauge::usbRefreshed);
    connect(&download, &StoreDownload::stored, this, [this](const GaugeLine &line) {
        emit displayStore(GaugeReading::create(line, line.time));
    });
    connect(&download, &StoreDownload::progress, this, &SerialGauge::storeNum);
    connect(&download, &StoreDownload::message, this, &SerialGauge::message);
    connect(&skipped, &MessageThrottle::message, this, &SerialGauge::message);
}

SerialGauge::~SerialGauge() = default;

bool SerialGauge::openPort(const GaugePortInfo &info)
{
    if (port->isOpen())
        return portPath == info.portName();
    if (info.isNull())
        return false;
    portPath = info.portName();
    port->setPortName(portPath);
    port->setBaudRate(baudRate);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        emit message(tr("Cannot open the gauge's port %1: %2").arg(portPath, port->errorString()));
        return false;
    }
    // USB serial devices often take DTR as the sign that a program listens;
    // a pseudo-terminal has no modem lines and refuses, which does no harm.
    port->setDataTerminalReady(true);
    // Whatever waited in the port was sent before anyone listened.
    port->clear(QSerialPort::Input);
    port->clearError();
    reader.reset();
    return true;
}

void SerialGauge::closePort()
{
    if (!port->isOpen())
        return;
    port->close();
    // A reading in progress drops the buffer itself when it sees the port closed.
    if (!reading)
        reader.reset();
}

bool SerialGauge::isPortOpen() const
{
    return port->isOpen();
}

GaugePortInfo SerialGauge::findPort(quint16 vendorId, quint16 productId)
{
    const QString path = PortWatcher::portOverride();
    if (!path.isEmpty())
        return QFileInfo::exists(path) ? GaugePortInfo(path, vendorId, productId) : GaugePortInfo();
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (info.hasVendorIdentifier() && info.vendorIdentifier() == vendorId
            && info.hasProductIdentifier() && info.productIdentifier() == productId)
            return GaugePortInfo(info.systemLocation(), vendorId, productId);
    }
    return GaugePortInfo();
}

bool SerialGauge::open(SerialDeviceInf *device)
{
    if (device && device != static_cast<SerialDeviceInf *>(this)) {
        emit message(tr("The serial gauge can only be opened through its own port."));
        return false;
    }
    if (!gaugeOpen) {
        if (!port->isOpen()) {
            const GaugePortInfo info = findPort(gaugeVendorId, gaugeProductId);
            if (info.isNull()) {
                emit message(tr("No gauge is connected."));
                return false;
            }
            if (!openPort(info))
                return false;
        }
        gaugeOpen = true;
        emit message(tr("Gauge connected on %1.").arg(portPath));
    }
    emit opened();
    return true;
}

void SerialGauge::close()
{
    const bool wasOpen = gaugeOpen;
    gaugeOpen = false;
    download.stop();
    closePort();
    if (!wasOpen)
        return;
    emit message(tr("Gauge disconnected."));
    emit closed();
}

bool SerialGauge::isOpen()
{
    return gaugeOpen;
}

void SerialGauge::readStore()
{
    if (!gaugeOpen)
        return;
    GaugeLine request;
    request.type = GaugeLine::MemoryRequest;
    port->write(GaugeFrame::encode(request));
    download.start();
    emit message(tr("Asked the gauge for its stored readings."));
}

void SerialGauge::readPort()
{
    // A receiver of our signals may process events (the download dialog
    // does); the loop below then also takes the bytes that arrived meanwhile.
    if (reading)
        return;
    reading = true;
    reader.read(port, [this](const GaugeLine &line) { return takeLine(line); });
    reading = false;
}

bool SerialGauge::takeLine(const GaugeLine &line)
{
    switch (line.type) {
    case GaugeLine::Live:
        emit display(GaugeReading::create(line, QDateTime::currentDateTime()));
        break;
    case GaugeLine::Count:
    case GaugeLine::Stored:
    case GaugeLine::End:
        download.take(line);
        break;
    case GaugeLine::MemoryRequest:
        break;
    case GaugeLine::Bad:
        skipped.post(line.problem);
        break;
    }
    return port->isOpen();
}

void SerialGauge::portError()
{
    const QSerialPort::SerialPortError error = port->error();
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError
        && error != QSerialPort::WriteError)
        return;
    if (!port->isOpen())
        return;
    emit message(tr("Lost the gauge on %1: %2").arg(portPath, port->errorString()));
    close();
}
