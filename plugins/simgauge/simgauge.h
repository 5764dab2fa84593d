#pragma once

#include "device/interfaces.h"
#include "simreadings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class DmmData;

// A simulated gauge offering all four plug-in interfaces. While open it emits
// a live reading at a fixed rate; readStore() sends its memory in batches from
// the event loop. It is set up from the environment:
//   MERIDO_SIM_INTERVAL_MS  live reading interval (default 500)
//   MERIDO_SIM_MEMORY       stored readings (default 300, read at each download)
//   MERIDO_SIM_UNIT         "um", "mil", or "switch" to change unit every
//                           MERIDO_SIM_SWITCH_EVERY readings (default "um", 20)
//   MERIDO_SIM_BASIS        basis text (default "Fe")
//   MERIDO_SIM_SEED         random seed (default: a new one each run)
class SimGauge : public QObject,
                 public SerialDeviceInf,
                 public SerialRS232VirInf,
                 public IDmm,
                 public IMyDmm
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID IDmm_iid)
    Q_INTERFACES(SerialDeviceInf SerialRS232VirInf IDmm IMyDmm)

public:
    explicit SimGauge(QObject *parent = nullptr);
    ~SimGauge() override;

    // SerialDeviceInf
    bool openPort(const GaugePortInfo &port) override;
    void closePort() override;
    bool isPortOpen() const override;
    QObject *object() override;
    // SerialRS232VirInf
    GaugePortInfo findPort(quint16 vendorId, quint16 productId) override;
    // IDmm
    bool open(SerialDeviceInf *device) override;
    void close() override;
    bool isOpen() override;
    // IMyDmm
    void readStore() override;

signals:
    void usbRefreshed();
    void opened();
    void closed();
    void message(QString text);
    void display(const DmmData *data);
    void displayStore(const DmmData *data);
    void storeNum(int total, int pos);

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
