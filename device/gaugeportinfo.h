#pragma once

#include <QString>

// Where the gauge's serial port is. QSerialPortInfo cannot describe a port the
// operating system does not enumerate (a pseudo-terminal, a simulated gauge),
// so the port finder returns this small value instead; a serial plug-in fills
// it from QSerialPortInfo.
class GaugePortInfo
{
public:
    GaugePortInfo() = default;
    GaugePortInfo(const QString &portName, quint16 vendorId, quint16 productId)
        : m_portName(portName), m_vendorId(vendorId), m_productId(productId)
    {
    }

    bool isNull() const { return m_portName.isEmpty(); }
    QString portName() const { return m_portName; }
    quint16 vendorId() const { return m_vendorId; }
    quint16 productId() const { return m_productId; }

private:
    QString m_portName;
    quint16 m_vendorId = 0;
    quint16 m_productId = 0;
};
