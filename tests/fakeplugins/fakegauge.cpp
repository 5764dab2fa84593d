#include "fakegauge.h"

GaugePortInfo FakeGauge::findPort(quint16 vendorId, quint16 productId)
{
    return portPresent ? GaugePortInfo(QStringLiteral("fake0"), vendorId, productId) : GaugePortInfo();
}

bool FakeGauge::open(SerialDeviceInf *)
{
    ++openCalls;
    if (!openSucceeds)
        return false;
    gaugeOpen = true;
    emit opened();
    return true;
}

void FakeGauge::close()
{
    ++closeCalls;
    if (!gaugeOpen)
        return;
    gaugeOpen = false;
    emit closed();
}
