#pragma once

#include <QModelIndex>
#include <QStringList>

class ItemData;
class QAbstractItemModel;
class QAction;
class QTreeView;
class Widget;

// Reaches into a main window by the object names of its form, the way the
// window tests look at it.
class WindowDriver
{
public:
    Widget *window = nullptr;

    // Builds and shows a new window and connects it to the fake gauge, which
    // starts closed.
    void openConnected();

    QAction *action(const char *name) const;
    void trigger(const char *name) const;
    QString label(const char *name) const;
    QTreeView *tree() const;
    // A tree node: a group row, or a child row of a group.
    QModelIndex node(int group, int child = -1) const;
    ItemData *item(const QModelIndex &node) const;
    void activate(const QModelIndex &node) const; // as the view's activation does
    QAbstractItemModel *table() const;
    QStringList column(int column) const;
};

// The root object of the fake gauge plug-in in the test's Lib.
QObject *fakeGauge();
