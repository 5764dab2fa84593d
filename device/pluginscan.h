#pragma once

#include <QString>
#include <QStringList>

class IDmm;
class IMyDmm;
class SerialDeviceInf;
class SerialRS232VirInf;

// The result of scanning a folder for gauge plug-ins: the four interfaces (the
// later file wins when two offer the same one) and, for every file passed
// over, why it was rejected, so that a broken installation can be explained.
struct PluginScan
{
    QString folder;
    SerialDeviceInf *serialDevice = nullptr;
    SerialRS232VirInf *virtualPort = nullptr;
    IDmm *dmm = nullptr;
    IMyDmm *myDmm = nullptr;
    QStringList rejected;

    bool isComplete() const;
    QStringList missingInterfaces() const;
};

// The shared-library suffix of this platform: "dll", "so" or "dylib".
QString pluginSuffix();

// Loads every shared library of the folder, in name order (case-insensitive).
// The plug-ins stay loaded for the life of the process.
PluginScan scanPlugins(const QString &folder);
