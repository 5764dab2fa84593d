#include "tvitemmodel.h"

#include "itemdata.h"

#include <QColor>
#include <QFont>

TvItemModel::TvItemModel(QObject *parent)
    : QStandardItemModel(parent)
{
}

QVariant TvItemModel::data(const QModelIndex &index, int role) const
{
    switch (role) {
    case Qt::DisplayRole: {
        const auto *item = QStandardItemModel::data(index, ItemDataRole).value<ItemData *>();
        return item ? item->name() : QString();
    }
    case Qt::FontRole: {
        QFont font = QStandardItemModel::data(index, role).value<QFont>();
        font.setWeight(index.data(ActiveRole).toBool() ? QFont::Bold : QFont::Normal);
        return font;
    }
    case Qt::ForegroundRole:
        if (index.data(ActiveRole).toBool())
            return QColor(QStringLiteral("#d57d00"));
        return QStandardItemModel::data(index, role);
    default:
        return QStandardItemModel::data(index, role);
    }
}

bool TvItemModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const QVariant before = data(index, Qt::DisplayRole);
    const bool stored = QStandardItemModel::setData(index, value, role);
    if (role == Qt::EditRole && value != before)
        emit editDataChanged(index);
    return stored;
}
