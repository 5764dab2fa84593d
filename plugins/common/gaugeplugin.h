#pragma once

#include "device/interfaces.h"

#include <QObject>

class DmmData;

// What every gauge plug-in shares: one object offering all four interfaces
// and emitting the signals the application connects by name. A plug-in
// derives from it, adds Q_PLUGIN_METADATA and implements the operations.
class GaugePlugin : public QObject,
                    public SerialDeviceInf,
                    public SerialRS232VirInf,
                    public IDmm,
                    public IMyDmm
{
    Q_OBJECT
    Q_INTERFACES(SerialDeviceInf SerialRS232VirInf IDmm IMyDmm)

public:
    using QObject::QObject;

    // The emitter of both the serial link's and the meter's signals.
    QObject *object() override { return this; }

signals:
    void usbRefreshed();
    void opened();
    void closed();
    void message(QString text);
    void display(const DmmData *data);
    void displayStore(const DmmData *data);
    void storeNum(int total, int pos);
};
