#pragma once

#include "device/interfaces.h"

#include <QObject>

class DmmData;

// Only the meter half of a gauge plug-in.
class FakeMeter : public QObject, public IDmm, public IMyDmm
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID IDmm_iid)
    Q_INTERFACES(IDmm IMyDmm)

public:
    QObject *object() override { return this; }
    bool open(SerialDeviceInf *) override { return false; }
    void close() override {}
    bool isOpen() override { return false; }
    void readStore() override {}

signals:
    void opened();
    void closed();
    void message(QString text);
    void display(const DmmData *data);
    void displayStore(const DmmData *data);
    void storeNum(int total, int pos);
};
