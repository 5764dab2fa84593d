#include "portwatcher.h"

#include <QFileInfo>
#include <QSerialPortInfo>

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent)
{
    timer.setInterval(intervalMs);
    connect(&timer, &QTimer::timeout, this, &PortWatcher::look);
    timer.start();
}

QString PortWatcher::portOverride()
{
    return qEnvironmentVariable("MERIDO_SERIAL_PORT");
}

QStringList PortWatcher::currentPorts()
{
    QStringList found;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        found << QStringLiteral("%1 %2:%3")
                     .arg(info.systemLocation())
                     .arg(info.vendorIdentifier())
                     .arg(info.productIdentifier());
    }
    const QString path = portOverride();
    if (!path.isEmpty() && QFileInfo::exists(path))
        found << path;
    found.sort();
    return found;
}

void PortWatcher::look()
{
    QStringList now = currentPorts();
    if (now == ports)
        return;
    ports = now;
    emit changed();
}
