// The download of the gauge's stored readings into the "Store Data" item.
#include "app/widget.h"
#include "ui_widget.h"

#include "charts/dmmchart.h"
#include "charts/histogram.h"
#include "device/dlgdownload.h"
#include "device/dmmdata.h"
#include "device/interfaces.h"
#include "items/datamodel.h"
#include "items/tvitemmodel.h"

void Widget::on_actionItemDownload_triggered()
{
    if (!isGaugeOpen() || !myDmm)
        return;
    dataModel->clearData();
    histogram->clearValues();
    ui->chart->clearPoints();
    storeDataItem()->clearData();
    itemSetToActive(itemModel->index(0, 0));
    myDmm->readStore();

    auto *dialog = new DlgDownload(this);
    dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(this, &Widget::updateDowndPos, dialog, &DlgDownload::updatePos);
    dialog->exec();
}

void Widget::slotStoreNum(int total, int num)
{
    emit updateDowndPos(total, num);
}

void Widget::slotDisplayStore(const DmmData *data)
{
    // A plug-in that emits no record has nothing to store.
    if (!data)
        return;
    auto *reading = const_cast<DmmData *>(data);
    if (!activeItem || activeItem->type() != ItemData::StoreData) {
        delete reading;
        return;
    }
    // Stored readings are always shown in micrometres.
    activeItem->setUnit(QStringLiteral("um"));
    const QString title = tr("Thickness(um)");
    histogram->setYTitle(title);
    histogram->setDecimals(1);
    ui->chart->setYTitle(title);
    ui->chart->setDecimals(1);
    activeItem->appendData(reading, true);
    showReading(reading, reading->valueUm(), reading->textUm());
    refreshStatistics();
}
