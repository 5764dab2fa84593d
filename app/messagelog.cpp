// The message log, the context menus of the item tree and the message list,
// and the Manual command.
#include "widget.h"
#include "ui_widget.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

void Widget::slotMessage(QString msg)
{
    ui->listWidget->insertItem(ui->listWidget->count(), msg);
    ui->listWidget->scrollToBottom();
}

void Widget::on_actionClearMsg_triggered()
{
    ui->listWidget->clear();
}

void Widget::on_actionManual_triggered()
{
    const QString manual = QStringLiteral("Software User Manual.pdf");
#ifdef Q_OS_WIN
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(manual.utf16()),
                  nullptr, nullptr, SW_SHOW);
#else
    // Like the Windows shell, a missing file is left to the desktop: the
    // application itself says nothing.
    const QString path = QDir::current().absoluteFilePath(manual);
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

bool Widget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ContextMenu)
        return QMainWindow::eventFilter(watched, event);
    const QString name = watched->objectName();
    if (name == QLatin1String("tv"))
        return false;

    QList<QAction *> entries;
    if (name == QLatin1String("listWidget")) {
        entries << ui->actionClearMsg;
    } else if (name == QLatin1String("tvItems")) {
        const QModelIndex current = ui->tvItems->currentIndex();
        if (current.isValid())
            entries = itemActionsFor(current);
    }
    if (!entries.isEmpty()) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addActions(entries);
        menu->exec(static_cast<QContextMenuEvent *>(event)->globalPos());
    }
    return QMainWindow::eventFilter(watched, event);
}
