#include "datamodel.h"

#include "device/dmmdata.h"
#include "itemdata.h"

namespace {
const int columns = 5;
}

DataModel::DataModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int DataModel::rowCount(const QModelIndex &parent) const
{
    // A table: cells have no rows below them.
    return parent.isValid() ? 0 : dataList.size();
}

int DataModel::columnCount(const QModelIndex &) const
{
    return columns;
}

QVariant DataModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= dataList.size() || index.column() >= columns)
        return QVariant();
    const DmmData *reading = dataList.at(index.row());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case 0:
        return index.row() + 1;
    case 1:
        return reading->time().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case 2:
        return item->unit() == QLatin1String("um") ? reading->textUm() : reading->textMil();
    case 3:
        return item->unit();
    default:
        return reading->basis();
    }
}

QVariant DataModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case 0:
        return tr("NO.");
    case 1:
        return tr("Time");
    case 2:
        return tr("Value");
    case 3:
        return tr("Unit");
    case 4:
        return tr("Basis");
    default:
        return QVariant();
    }
}

bool DataModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (row < 0 || row >= dataList.size() || count < 1)
        return false;
    const int last = qMin(row + count, dataList.size()) - 1;
    beginRemoveRows(parent, row, last);
    dataList.erase(dataList.begin() + row, dataList.begin() + last + 1);
    endRemoveRows();
    return true;
}

Qt::ItemFlags DataModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index);
}

int DataModel::appendData(DmmData *data)
{
    const int row = dataList.size();
    beginInsertRows(QModelIndex(), row, row);
    dataList.append(data);
    endInsertRows();
    return dataList.size();
}

int DataModel::setDataList(const QList<DmmData *> &list)
{
    if (list.isEmpty())
        return dataList.size();
    // The list replaces the rows, so old rows must leave the view first.
    clearData();
    beginInsertRows(QModelIndex(), 0, list.size() - 1);
    dataList = list;
    endInsertRows();
    return dataList.size();
}

void DataModel::clearData()
{
    if (dataList.isEmpty())
        return;
    beginRemoveRows(QModelIndex(), 0, dataList.size() - 1);
    dataList.clear();
    endRemoveRows();
}

void DataModel::setItem(ItemData *item)
{
    this->item = item;
}
