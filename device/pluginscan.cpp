#include "pluginscan.h"

#include "interfaces.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

bool PluginScan::isComplete() const
{
    return serialDevice && virtualPort && dmm && myDmm;
}

QStringList PluginScan::missingInterfaces() const
{
    QStringList missing;
    if (!serialDevice)
        missing << QStringLiteral(SerialDeviceInf_iid);
    if (!virtualPort)
        missing << QStringLiteral(SerialRS232VirInf_iid);
    if (!dmm)
        missing << QStringLiteral(IDmm_iid);
    if (!myDmm)
        missing << QStringLiteral(IMyDmm_iid);
    return missing;
}

QString pluginSuffix()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("dylib");
#else
    return QStringLiteral("so");
#endif
}

// Takes each interface the root object offers; a null answer keeps what an
// earlier file gave.
template<typename Interface>
static bool take(QObject *root, Interface *&member)
{
    if (auto *found = qobject_cast<Interface *>(root)) {
        member = found;
        return true;
    }
    return false;
}

PluginScan scanPlugins(const QString &folder)
{
    PluginScan scan;
    const QDir dir(folder);
    scan.folder = dir.absolutePath();
    for (const QFileInfo &entry : dir.entryInfoList()) {
        if (!entry.isFile())
            continue;
        const QString path = entry.absoluteFilePath();
        if (entry.suffix().toLower() != pluginSuffix()) {
            scan.rejected << QStringLiteral("%1: not a library").arg(path);
            continue;
        }
        QPluginLoader loader(path);
        QObject *root = loader.instance();
        if (!root) {
            scan.rejected << QStringLiteral("%1: failed to load: %2").arg(path, loader.errorString());
            continue;
        }
        bool offered = take(root, scan.serialDevice);
        offered |= take(root, scan.virtualPort);
        offered |= take(root, scan.dmm);
        offered |= take(root, scan.myDmm);
        if (!offered)
            scan.rejected << QStringLiteral("%1: offers no gauge interface").arg(path);
    }
    return scan;
}
