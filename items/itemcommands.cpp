// The item tree and the item commands of the main window: New, Rename,
// Delete, Set to active, the item tool bar, and the reload of every view of
// the active item.
#include "app/widget.h"
#include "ui_widget.h"

#include "charts/chartpoint.h"
#include "charts/dmmchart.h"
#include "charts/histogram.h"
#include "device/dmmdata.h"
#include "device/interfaces.h"
#include "items/datamodel.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"

#include <QDebug>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>

namespace {
const int storeGroupRow = 0;
const int liveGroupRow = 1;

ItemData *itemOf(const QModelIndex &index)
{
    return index.data(TvItemModel::ItemDataRole).value<ItemData *>();
}

QStandardItem *newNode(const QIcon &icon, const QString &text, ItemData *item)
{
    auto *node = new QStandardItem(icon, text);
    node->setData(QVariant::fromValue(item), TvItemModel::ItemDataRole);
    return node;
}
}

void Widget::initItemTree()
{
    ui->tvItems->setHeaderHidden(true);
    ui->tvItems->setAnimated(true);
    ui->tvItems->header()->setStretchLastSection(true);
    ui->tvItems->setEditTriggers(QAbstractItemView::NoEditTriggers);

    itemModel = new TvItemModel(this);
    itemModel->setHorizontalHeaderLabels({tr("Name")});
    const QString storeName = tr("Store Data");
    const QString liveName = tr("Live Data");
    itemModel->appendRow(newNode(QIcon(QStringLiteral(":/image/rom.png")), storeName,
                                 new ItemData(storeName, ItemData::StoreData)));
    liveGroupItem = newNode(QIcon(QStringLiteral(":/image/live.png")), liveName,
                            new ItemData(liveName, ItemData::LiveData));
    itemModel->appendRow(liveGroupItem);
    const QString firstName = QStringLiteral("Measure%1").arg(1);
    liveGroupItem->appendRow(newNode(itemIcon, firstName, new ItemData(firstName, ItemData::MeasureData)));

    ui->tvItems->setModel(itemModel);
    ui->tvItems->expandAll();
    const QModelIndex first = liveGroupItem->child(0)->index();
    itemSetToActive(first);
    ui->tvItems->setCurrentIndex(first);
    slotCurrentRowChanged(first, QModelIndex());
}

// The items are not children of the model, so the window deletes them.
void Widget::deleteAllItems()
{
    for (int row = 0; row < itemModel->rowCount(); ++row) {
        const QModelIndex group = itemModel->index(row, 0);
        for (int child = 0; child < itemModel->rowCount(group); ++child)
            delete itemOf(itemModel->index(child, 0, group));
        delete itemOf(group);
    }
}

ItemData *Widget::storeDataItem() const
{
    return itemOf(itemModel->index(storeGroupRow, 0));
}

void Widget::endRecording()
{
    running = false;
    ui->actionStart->setEnabled(isGaugeOpen());
    ui->actionStop->setEnabled(false);
}

void Widget::newItem(QString name, ItemData::DataType type)
{
    if (name.isEmpty())
        return;
    endRecording();
    auto *node = newNode(itemIcon, name, new ItemData(name, type));
    liveGroupItem->appendRow(node);
    const QModelIndex index = node->index();
    itemSetToActive(index);
    ui->tvItems->setCurrentIndex(index);
    slotCurrentRowChanged(index, QModelIndex());
}

void Widget::itemSetToActive(QModelIndex index)
{
    if (!index.isValid() || index == liveGroupItem->index())
        return;
    ItemData *item = itemOf(index);
    if (item == activeItem)
        return;
    activeItem = item;
    activeItem->setUnit(QStringLiteral("um"));
    dataModel->setItem(activeItem);

    for (int row = 0; row < itemModel->rowCount(); ++row) {
        const QModelIndex group = itemModel->index(row, 0);
        itemModel->setData(group, false, TvItemModel::ActiveRole);
        for (int child = 0; child < itemModel->rowCount(group); ++child)
            itemModel->setData(itemModel->index(child, 0, group), false, TvItemModel::ActiveRole);
    }
    itemModel->setData(index, true, TvItemModel::ActiveRole);

    endRecording();
    if (activeItem == storeDataItem())
        ui->actionStart->setEnabled(false);
    refreshItemView();
}

void Widget::on_tvItems_activated(QModelIndex index)
{
    itemSetToActive(index);
}

void Widget::on_actionItemSetToActive_triggered()
{
    itemSetToActive(ui->tvItems->currentIndex());
}

void Widget::on_actionItemNew_triggered()
{
    int n = 1;
    for (int row = 0; row < itemModel->rowCount(); ++row) {
        const QModelIndex group = itemModel->index(row, 0);
        if (itemOf(group)->name().startsWith(QLatin1String("Measure")))
            ++n;
        for (int child = 0; child < itemModel->rowCount(group); ++child) {
            if (itemOf(itemModel->index(child, 0, group))->name().startsWith(QLatin1String("Measure")))
                ++n;
        }
    }
    const QString name = QInputDialog::getText(this, QString(), tr("Name:"), QLineEdit::Normal,
                                               QStringLiteral("Measure%1").arg(n))
                             .trimmed();
    if (!name.isEmpty())
        newItem(name, ItemData::MeasureData);
}

void Widget::on_actionItemRename_triggered()
{
    const QModelIndex index = ui->tvItems->currentIndex();
    if (!index.isValid() || index == itemModel->index(storeGroupRow, 0))
        return;
    const QString name = QInputDialog::getText(this, QString(), tr("New name:"), QLineEdit::Normal,
                                               index.data().toString())
                             .trimmed();
    if (name.isEmpty())
        return;
    itemOf(index)->setName(name);
    endRecording();
}

void Widget::on_actionItemDelete_triggered()
{
    // Only measurement items can go: deleting a group node would leave the
    // items below it, and the window's pointer to "Live Data", dangling.
    const QModelIndex index = ui->tvItems->currentIndex();
    if (!index.isValid() || !index.parent().isValid())
        return;
    if (QMessageBox::question(this, QString(), tr("Are you sure delete this item?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;

    dataModel->clearData();
    histogram->clearValues();
    ui->chart->clearPoints();

    ItemData *item = itemOf(index);
    const bool wasActive = item == activeItem;
    delete item;
    itemModel->removeRow(index.row(), index.parent());
    activeItem = nullptr;
    dataModel->setItem(nullptr);
    if (wasActive)
        itemSetToActive(ui->tvItems->currentIndex());
}

QList<QAction *> Widget::itemActionsFor(const QModelIndex &index) const
{
    if (index.parent().isValid())
        return {ui->actionItemSetToActive, ui->actionItemRename, ui->actionItemNew, ui->actionItemDelete};
    if (index.row() == storeGroupRow)
        return {ui->actionItemSetToActive, ui->actionItemDownload};
    if (index.row() == liveGroupRow)
        return {ui->actionItemNew};
    return {};
}

void Widget::slotCurrentRowChanged(QModelIndex current, QModelIndex)
{
    if (!current.isValid())
        return;
    ui->itemToolBar->clear();
    ui->itemToolBar->addActions(itemActionsFor(current));
}

void Widget::slotItemModeleditDataChanged(QModelIndex index)
{
    if (index.row() != 0)
        qDebug() << "slotItemModeleditDataChanged  " << index.data();
}

void Widget::refreshItemView()
{
    if (running || !activeItem)
        return;
    reloadItemView();
}

// Every view of the active item emptied and filled again from the item, in
// the item's unit.
void Widget::reloadItemView()
{
    const QString unit = activeItem->unit();
    const bool um = unit == QLatin1String("um");
    const QList<DmmData *> readings = activeItem->dataList();
    QList<double> values;
    QList<ChartPoint *> points;
    values.reserve(readings.size());
    points.reserve(readings.size());
    for (const DmmData *reading : readings) {
        const double value = ItemData::valueIn(reading, unit);
        values.append(value);
        points.append(new ChartPoint(value, reading->time(), QVariant()));
    }

    dataModel->clearData();
    dataModel->setDataList(readings);
    ui->tv->scrollToBottom();

    histogram->clearValues();
    histogram->setDecimals(um ? 1 : 2);
    histogram->addValues(values);

    ui->chart->clearPoints();
    ui->chart->setDecimals(um ? 1 : 2);
    ui->chart->appendPoints(points, 0);

    refreshStatistics();
}

void Widget::refreshStatistics()
{
    if (!activeItem)
        return;
    const ItemStatistics *statistics = activeItem->statistics();
    ui->lcdNum->setText(QStringLiteral("Num:") + QString::number(statistics->count));
    ui->lcdAvg->setText(QStringLiteral("Avg:") + statistics->average);
    ui->lcdMin->setText(QStringLiteral("Min:") + statistics->minimum);
    ui->lcdMax->setText(QStringLiteral("Max:") + statistics->maximum);
}
