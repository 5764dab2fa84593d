#pragma once

#include "plugins/common/gaugeplugin.h"
#include "simreadings.h"

#include <QElapsedTimer>
#include <QTimer>

// A simulated gauge offering all four plug-in interfaces. While open it emits
// a live reading at a fixed rate; readStore() sends its memory in batches from
// the event loop. It is set up from the environment:
//   MERIDO_SIM_INTERVAL_MS  live reading interval (default 500)
//   MERIDO_SIM_MEMORY       stored readings (default 300, read at each download)
//   MERIDO_SIM_UNIT         "um", "mil", or "switch" to change unit every
//                           MERIDO_SIM_SWITCH_EVERY readings (default "um", 20)
//   MERIDO_SIM_BASIS        basis text (default "Fe")
//   MERIDO_SIM_SEED         random seed (default: a new one each run)
class SimGauge : public GaugePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID IDmm_iid)

public:
    explicit SimGauge(QObject *parent = nullptr);
    ~SimGauge() override;

    // SerialDeviceInf
    bool openPort(const GaugePortInfo &port) override;
    void closePort() override;
    bool isPortOpen() const override;
    // SerialRS232VirInf
    GaugePortInfo findPort(quint16 vendorId, quint16 productId) override;
    // IDmm
    bool open(SerialDeviceInf *device) override;
    void close() override;
    bool isOpen() override;
    // IMyDmm
    void readStore() override;

private:
    void emitLiveReading();
    void sendStoreBatch();
    QString currentUnit();

    SimReadings readings;
    QTimer liveTimer;
    QTimer storeTimer;
    QElapsedTimer sinceProgress;
    bool portOpen = false;
    bool gaugeOpen = false;
    int memorySize = 0;
    int storePos = 0;
    QString unitMode;
    int switchEvery;
    int liveCount = 0;
    QString basis;
};
