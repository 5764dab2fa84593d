// The download of the gauge's stored readings into the "Store Data" item.
#include "app/widget.h"

#include "device/dmmdata.h"

void Widget::on_actionItemDownload_triggered()
{
}

void Widget::slotStoreNum(int total, int num)
{
    emit updateDowndPos(total, num);
}

void Widget::slotDisplayStore(const DmmData *data)
{
    delete data;
}
