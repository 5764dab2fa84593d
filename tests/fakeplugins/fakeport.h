#pragma once

#include "device/interfaces.h"

#include <QObject>

// Only the serial half of a gauge plug-in.
class FakePort : public QObject, public SerialDeviceInf, public SerialRS232VirInf
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SerialDeviceInf_iid)
    Q_INTERFACES(SerialDeviceInf SerialRS232VirInf)

public:
    bool openPort(const GaugePortInfo &) override { return true; }
    void closePort() override {}
    bool isPortOpen() const override { return false; }
    QObject *object() override { return this; }
    GaugePortInfo findPort(quint16 vendorId, quint16 productId) override
    {
        return GaugePortInfo(QStringLiteral("fake1"), vendorId, productId);
    }

signals:
    void usbRefreshed();
};
