// Finding the gauge plug-ins and following the connection state.
#include "app/widget.h"
#include "ui_widget.h"

#include "app/optiondialog.h"
#include "device/interfaces.h"
#include "device/pluginscan.h"
#include "items/tvitemmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QTextStream>

namespace {
const quint16 gaugeVendorId = 1155;
const quint16 gaugeProductId = 22336;
}

bool Widget::loadPlugins()
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.cd(QStringLiteral("Lib"));
    const PluginScan scan = scanPlugins(dir.path());
    if (scan.serialDevice)
        serialDevice = scan.serialDevice;
    if (scan.virtualPort)
        virtualPort = scan.virtualPort;
    if (scan.dmm)
        dmm = scan.dmm;
    if (scan.myDmm)
        myDmm = scan.myDmm;
    if (scan.isComplete())
        return true;

    // Say why before the application quits, instead of vanishing unexplained.
    QTextStream err(stderr);
    for (const QString &reason : scan.rejected)
        err << "merido: " << reason << '\n';
    err.flush();
    QMessageBox::critical(this, QString(),
                          tr("No complete gauge plug-in was found in %1.\nMissing interfaces: %2")
                              .arg(QDir::toNativeSeparators(scan.folder),
                                   scan.missingInterfaces().join(QStringLiteral(", "))));
    return false;
}

bool Widget::isGaugePortPresent() const
{
    return virtualPort && !virtualPort->findPort(gaugeVendorId, gaugeProductId).isNull();
}

bool Widget::isGaugeOpen() const
{
    return dmm && dmm->isOpen();
}

void Widget::slotAction()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    if (action == ui->actionConnect) {
        if (!dmm || !dmm->open(serialDevice))
            QMessageBox::critical(this, QString(), tr("Failed to open device."));
    } else if (action == ui->actionDisconnect) {
        if (dmm)
            dmm->close();
    } else if (action == ui->actionOption) {
        OptionDialog dialog(this);
        dialog.exec();
    } else if (action == ui->actionClose) {
        close();
    }
}

void Widget::slotDmmOpened()
{
    ui->actionConnect->setEnabled(false);
    ui->actionDisconnect->setEnabled(true);
    ui->actionStart->setEnabled(activeItem != storeDataItem());
    ui->actionStop->setEnabled(false);
}

void Widget::slotDmmClosed()
{
    ui->actionConnect->setEnabled(true);
    ui->actionDisconnect->setEnabled(false);
    running = false;
    ui->actionStart->setEnabled(false);
    ui->actionStop->setEnabled(false);
}

void Widget::slotUSBRefreshed()
{
    ui->actionConnect->setEnabled(isGaugePortPresent());
}
