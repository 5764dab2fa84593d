#include "app/widget.h"
#include "support/testsupport.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QTableView>
#include <QTreeView>

// The message log and the context menus of the tree and the message list.
class TestMessageLog : public QObject
{
    Q_OBJECT

    // Sends a context-menu request and returns the names of the entries of the
    // menu it opened (empty when none opened).
    static QStringList menuFor(QWidget *target, QAction **chosen = nullptr, const QString &choose = QString())
    {
        QStringList names;
        QPointer<QTimer> poll = answerNextPopup([&](QWidget *popup) {
            auto *menu = qobject_cast<QMenu *>(popup);
            for (QAction *action : menu->actions()) {
                names << action->objectName();
                if (action->objectName() == choose && chosen)
                    *chosen = action;
            }
            if (chosen && *chosen)
                menu->setActiveAction(*chosen), QTest::keyClick(menu, Qt::Key_Return);
            else
                menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        delete poll; // still polling when no menu opened
        return names;
    }

private slots:
    void messagesCollectWhileHidden()
    {
        Widget window;
        window.show();
        auto *list = window.findChild<QListWidget *>("listWidget");
        for (const QString &line : {QString("first"), QString(), QString("third")})
            QMetaObject::invokeMethod(&window, "slotMessage", Q_ARG(QString, line));
        QVERIFY(list->isHidden());
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QString("first"));
        QCOMPARE(list->item(1)->text(), QString());
        QCOMPARE(list->item(2)->text(), QString("third"));
    }

    void messageListMenuClears()
    {
        Widget window;
        window.show();
        auto *list = window.findChild<QListWidget *>("listWidget");
        QMetaObject::invokeMethod(&window, "slotMessage", Q_ARG(QString, "line"));
        QAction *chosen = nullptr;
        QCOMPARE(menuFor(list, &chosen, "actionClearMsg"), QStringList{"actionClearMsg"});
        QCOMPARE(list->count(), 0);
    }

    void treeMenuPerNode_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("child");
        QTest::addColumn<QStringList>("entries");

        QTest::newRow("measurement item") << 1 << 0
            << QStringList{"actionItemSetToActive", "actionItemRename", "actionItemNew", "actionItemDelete"};
        QTest::newRow("Store Data") << 0 << -1 << QStringList{"actionItemSetToActive", "actionItemDownload"};
        QTest::newRow("Live Data") << 1 << -1 << QStringList{"actionItemNew"};
    }

    void treeMenuPerNode()
    {
        QFETCH(int, group);
        QFETCH(int, child);
        QFETCH(QStringList, entries);

        Widget window;
        window.show();
        auto *tree = window.findChild<QTreeView *>("tvItems");
        QModelIndex index = tree->model()->index(group, 0);
        if (child >= 0)
            index = tree->model()->index(child, 0, index);
        tree->setCurrentIndex(index);
        QCOMPARE(menuFor(tree), entries);
    }

    void noMenuOnTheTable()
    {
        Widget window;
        window.show();
        QCOMPARE(menuFor(window.findChild<QTableView *>("tv")), QStringList());
    }

    void manualWithoutFileDoesNothing()
    {
        const QString before = QDir::currentPath();
        QTemporaryDir empty;
        QDir::setCurrent(empty.path());
        Widget window;
        QVERIFY(QMetaObject::invokeMethod(&window, "on_actionManual_triggered"));
        QVERIFY(!QApplication::activeModalWidget());
        QDir::setCurrent(before);
    }
};

MERIDO_TEST_MAIN(TestMessageLog)
#include "tst_messagelog.moc"
