#include "app/widget.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDesktopWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>

// The window as it stands after start-up: title, geometry and the form.
class TestMainWindow : public QObject
{
    Q_OBJECT

    static QImage iconImage(const QIcon &icon) { return icon.pixmap(16, 16).toImage(); }

    static QStringList actionNames(const QList<QAction *> &actions)
    {
        QStringList names;
        for (QAction *action : actions)
            names << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
        return names;
    }

private slots:
    void titleSizeAndCentre()
    {
        Widget window;
        QCOMPARE(window.windowTitle(), QString("Merido v1.0 "));
        QCOMPARE(window.size(), QSize(1000, 600));
        const QRect desktop = QApplication::desktop()->geometry();
        QCOMPARE(window.pos(), QPoint((desktop.width() - 1000) / 2, (desktop.height() - 600) / 2));
    }

    void actions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<bool>("enabled");

        QTest::newRow("Connect") << "actionConnect" << "Connect" << "connect" << true;
        QTest::newRow("Disconnect") << "actionDisconnect" << "&Disconnect" << "disconnect" << false;
        QTest::newRow("Options") << "actionOption" << "&Options" << "options" << true;
        QTest::newRow("Close") << "actionClose" << "C&lose" << "exit" << true;
        QTest::newRow("Start") << "actionStart" << "Start" << "play" << false;
        QTest::newRow("Stop") << "actionStop" << "Stop" << "stop" << false;
        QTest::newRow("Test") << "actionTest" << "Test" << "" << true;
        QTest::newRow("Manual") << "actionManual" << "&Manual" << "help" << true;
        QTest::newRow("Clear") << "actionClearMsg" << "Clear" << "delete" << true;
        QTest::newRow("New") << "actionItemNew" << "New" << "new" << true;
        QTest::newRow("Delete") << "actionItemDelete" << "Delete" << "delete" << true;
        QTest::newRow("Rename") << "actionItemRename" << "Rename" << "rename" << true;
        QTest::newRow("Set to active") << "actionItemSetToActive" << "Set to active" << "active" << true;
        QTest::newRow("Download") << "actionItemDownload" << "Download" << "pcdownload" << true;
        QTest::newRow("Export") << "actionExport" << "Export" << "export" << true;
        QTest::newRow("Import") << "actionImport" << "Import" << "import" << true;
    }

    void actions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, icon);
        QFETCH(bool, enabled);

        Widget window; // the fake gauge's port is present
        auto *action = window.findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->isEnabled(), enabled);
        QVERIFY(action->shortcut().isEmpty());
        if (icon.isEmpty()) {
            QVERIFY(action->icon().isNull());
        } else {
            const QImage expected = iconImage(QIcon(":/image/" + icon + ".png"));
            QVERIFY(!expected.isNull());
            QCOMPARE(iconImage(action->icon()), expected);
        }
    }

    void barsAndMenus()
    {
        Widget window;
        auto *mainToolBar = window.findChild<QToolBar *>("mainToolBar");
        QCOMPARE(actionNames(mainToolBar->actions()),
                 QStringList({"actionConnect", "actionDisconnect", "|", "actionStart", "actionStop", "|",
                              "actionImport", "actionExport", "|", "actionClose"}));
        QCOMPARE(mainToolBar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(mainToolBar->windowTitle(), QString("Toolbar"));

        const QList<QAction *> menus = window.findChild<QMenuBar *>("menuBar")->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus.at(0)->text(), QString("&File"));
        QCOMPARE(actionNames(menus.at(0)->menu()->actions()),
                 QStringList({"actionConnect", "actionDisconnect", "actionStart", "actionStop", "|",
                              "actionImport", "actionExport", "|", "actionClose"}));
        QCOMPARE(menus.at(1)->text(), QString("&Help"));
        QCOMPARE(actionNames(menus.at(1)->menu()->actions()), QStringList({"actionManual"}));

        // Options and Test are reachable from no menu or bar.
        for (auto *widget : window.findChildren<QWidget *>()) {
            QVERIFY(!widget->actions().contains(window.findChild<QAction *>("actionOption")));
            QVERIFY(!widget->actions().contains(window.findChild<QAction *>("actionTest")));
        }
    }

    void panesAndTabs()
    {
        Widget window;
        window.show();
        QVERIFY(window.findChild<QListWidget *>("listWidget")->isHidden());

        auto *tabs = window.findChild<QTabWidget *>("tabWidget");
        QCOMPARE(tabs->currentIndex(), 0);
        const QStringList texts{"Table", "Histogram", "Chart"};
        const QStringList icons{"table", "item", "chart"};
        for (int page = 0; page < 3; ++page) {
            QCOMPARE(tabs->tabText(page), texts.at(page));
            QCOMPARE(iconImage(tabs->tabIcon(page)), iconImage(QIcon(":/image/" + icons.at(page) + ".png")));
        }
        QCOMPARE(tabs->widget(1)->findChild<QWidget *>("Histogram1")->metaObject()->className(), "Histogram");
        QCOMPARE(tabs->widget(2)->objectName(), QString("chart"));
        QCOMPARE(tabs->widget(2)->metaObject()->className(), "DMMChart");

        for (const char *label : {"lcdNum", "lcdAvg", "lcdMin", "lcdMax", "lcdValue", "lcdUnit", "lcdBasis"})
            QVERIFY(window.findChild<QLabel *>(label));
        QCOMPARE(window.findChild<QLabel *>("lcdValue")->text(), QString("00000"));
    }
};

MERIDO_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
