#pragma once

#include "gaugelinereader.h"
#include "messagethrottle.h"
#include "plugins/common/gaugeplugin.h"
#include "portwatcher.h"
#include "storedownload.h"

#include <QSerialPort>

struct GaugeLine;

// The gauge on its USB virtual serial port, offering all four plug-in
// interfaces. It speaks the line protocol of docs/serial-protocol.md: live
// readings as the gauge sends them, the memory on readStore(). Damaged lines
// are skipped with a message; a read error or an unplugged gauge closes it.
// MERIDO_SERIAL_PORT=/path points it at a port of the user's choice (the
// gauge emulator's pseudo-terminal) instead of the one found by USB ids.
class SerialGauge : public GaugePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID IDmm_iid)

public:
    static constexpr qint32 baudRate = 115200;

    explicit SerialGauge(QObject *parent = nullptr);
    ~SerialGauge() override;

    // SerialDeviceInf
    bool openPort(const GaugePortInfo &port) override;
    void closePort() override;
    bool isPortOpen() const override;
    // SerialRS232VirInf
    GaugePortInfo findPort(quint16 vendorId, quint16 productId) override;
    // IDmm: open() needs this plug-in's own serial link (or none).
    bool open(SerialDeviceInf *device) override;
    void close() override;
    bool isOpen() override;
    // IMyDmm
    void readStore() override;

private:
    void readPort();
    bool takeLine(const GaugeLine &line);
    void portError();

    QSerialPort *port = new QSerialPort(this);
    // The path the port was opened with; QSerialPort keeps a short name.
    QString portPath;
    GaugeLineReader reader;
    StoreDownload download;
    MessageThrottle skipped;
    PortWatcher watcher;
    bool gaugeOpen = false;
    // readPort() is running: a slot it signalled processed events.
    bool reading = false;
};
