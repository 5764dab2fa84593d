#include "windowdriver.h"

#include "app/widget.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "testsupport.h"

#include <QAction>
#include <QLabel>
#include <QPluginLoader>
#include <QTableView>
#include <QTreeView>

void WindowDriver::openConnected()
{
    fakeGauge()->setProperty("gaugeOpen", false);
    window = new Widget;
    window->show();
    trigger("actionConnect");
}

QAction *WindowDriver::action(const char *name) const
{
    return window->findChild<QAction *>(QLatin1String(name));
}

void WindowDriver::trigger(const char *name) const
{
    action(name)->trigger();
}

QString WindowDriver::label(const char *name) const
{
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

QTreeView *WindowDriver::tree() const
{
    return window->findChild<QTreeView *>(QStringLiteral("tvItems"));
}

QModelIndex WindowDriver::node(int group, int child) const
{
    const QModelIndex top = tree()->model()->index(group, 0);
    return child < 0 ? top : tree()->model()->index(child, 0, top);
}

ItemData *WindowDriver::item(const QModelIndex &node) const
{
    return node.data(TvItemModel::ItemDataRole).value<ItemData *>();
}

void WindowDriver::activate(const QModelIndex &node) const
{
    QMetaObject::invokeMethod(window, "on_tvItems_activated", Q_ARG(QModelIndex, node));
}

QAbstractItemModel *WindowDriver::table() const
{
    return window->findChild<QTableView *>(QStringLiteral("tv"))->model();
}

QStringList WindowDriver::column(int column) const
{
    QStringList cells;
    for (int row = 0; row < table()->rowCount(); ++row)
        cells << table()->index(row, column).data().toString();
    return cells;
}

QObject *fakeGauge()
{
    return QPluginLoader(testBinDir() + QStringLiteral("/Lib/libfakegauge.so")).instance();
}
