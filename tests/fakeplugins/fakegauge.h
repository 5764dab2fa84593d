#pragma once

#include "plugins/common/gaugeplugin.h"

// A gauge the tests steer: they set whether the port is present and whether
// open() succeeds, and emit its signals through the meta-object.
class FakeGauge : public GaugePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID IDmm_iid)
    Q_PROPERTY(bool portPresent MEMBER portPresent)
    Q_PROPERTY(bool openSucceeds MEMBER openSucceeds)
    Q_PROPERTY(bool gaugeOpen MEMBER gaugeOpen)
    Q_PROPERTY(int openCalls MEMBER openCalls)
    Q_PROPERTY(int closeCalls MEMBER closeCalls)
    Q_PROPERTY(int readStoreCalls MEMBER readStoreCalls)

public:
    bool openPort(const GaugePortInfo &) override { return true; }
    void closePort() override {}
    bool isPortOpen() const override { return gaugeOpen; }
    GaugePortInfo findPort(quint16 vendorId, quint16 productId) override;
    bool open(SerialDeviceInf *device) override;
    void close() override;
    bool isOpen() override { return gaugeOpen; }
    void readStore() override { ++readStoreCalls; }

private:
    bool portPresent = true;
    bool openSucceeds = true;
    bool gaugeOpen = false;
    int openCalls = 0;
    int closeCalls = 0;
    int readStoreCalls = 0;
};
