#pragma once

#include <QStandardItemModel>

// The item tree: two group nodes, "Store Data" and "Live Data", with the
// measurement items below "Live Data". Every node carries its ItemData; the
// displayed name is read from it, and the active node is drawn bold in orange.
class TvItemModel : public QStandardItemModel
{
    Q_OBJECT

public:
    enum Roles {
        ActiveRole = Qt::UserRole + 1, // bool: the active item's node
        ItemDataRole = Qt::UserRole + 2 // ItemData *: the node's item
    };

    explicit TvItemModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    void editDataChanged(QModelIndex index);
};
