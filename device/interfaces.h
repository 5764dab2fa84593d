#pragma once

#include "gaugeportinfo.h"

#include <QtPlugin>

class DmmData;
class QObject;

// The four interfaces a gauge plug-in offers from its root object. The
// application finds them with qobject_cast and talks to the gauge only through
// them; the plug-in objects and their libraries live until the process ends.

// The serial link to the gauge. Its object emits usbRefreshed() whenever the
// set of USB serial devices changes.
class SerialDeviceInf
{
public:
    virtual ~SerialDeviceInf() = default;
    virtual bool openPort(const GaugePortInfo &port) = 0;
    virtual void closePort() = 0;
    virtual bool isPortOpen() const = 0;
    virtual QObject *object() = 0;
};

// Finds the gauge's port by its USB vendor and product id.
class SerialRS232VirInf
{
public:
    virtual ~SerialRS232VirInf() = default;
    virtual GaugePortInfo findPort(quint16 vendorId, quint16 productId) = 0;
};

// The meter. Its object emits, on the GUI thread:
//   opened(), closed()               the gauge was opened / closed or lost
//   message(QString)                 one line for the message log
//   display(const DmmData *)         one live reading; the receiver owns it
//   displayStore(const DmmData *)    one stored reading; the receiver owns it
//   storeNum(int total, int pos)     progress of a memory download
// close() is harmless when the gauge is closed; closed() follows a real close.
class IDmm
{
public:
    virtual ~IDmm() = default;
    virtual QObject *object() = 0;
    virtual bool open(SerialDeviceInf *device) = 0;
    virtual void close() = 0;
    virtual bool isOpen() = 0;
};

// The gauge's memory: readStore() starts sending the stored readings through
// the IDmm object's storeNum and displayStore signals.
class IMyDmm
{
public:
    virtual ~IMyDmm() = default;
    virtual void readStore() = 0;
};

#define SerialDeviceInf_iid "com.qz.SerialDeviceInf"
#define SerialRS232VirInf_iid "com.qz.SerialRS232VirInf"
#define IDmm_iid "com.qz.IDmm"
#define IMyDmm_iid "com.qz.IMyDmm"

Q_DECLARE_INTERFACE(SerialDeviceInf, SerialDeviceInf_iid)
Q_DECLARE_INTERFACE(SerialRS232VirInf, SerialRS232VirInf_iid)
Q_DECLARE_INTERFACE(IDmm, IDmm_iid)
Q_DECLARE_INTERFACE(IMyDmm, IMyDmm_iid)
