#include "app/widget.h"
#include "device/dmmdata.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/testsupport.h"
#include "support/windowdriver.h"

#include <QAction>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

// The item tree and its commands, on the whole window.
class TestItemCommands : public QObject
{
    Q_OBJECT

    WindowDriver w;
    Widget *window = nullptr;
    QTreeView *tree = nullptr;

    QAbstractItemModel *model() { return tree->model(); }
    QModelIndex node(int group, int child = -1) { return w.node(group, child); }
    ItemData *item(const QModelIndex &index) { return w.item(index); }
    QAction *action(const char *name) { return w.action(name); }
    QAbstractItemModel *table() { return w.table(); }
    QString label(const char *name) { return w.label(name); }
    QStringList children()
    {
        QStringList names;
        for (int r = 0; r < model()->rowCount(node(1)); ++r)
            names << node(1, r).data().toString();
        return names;
    }
    bool isActive(const QModelIndex &index) { return index.data(TvItemModel::ActiveRole).toBool(); }

    void answerName(const QString &name, QString *proposal = nullptr)
    {
        answerNextModal([name, proposal](QWidget *dialog) {
            if (proposal)
                *proposal = dialog->findChild<QLineEdit *>()->text();
            if (name.isNull())
                cancelDialog(dialog);
            else
                typeIntoInputDialog(dialog, name);
        });
    }

    void newItem(const QString &name, QString *proposal = nullptr)
    {
        answerName(name, proposal);
        action("actionItemNew")->trigger();
    }

    void addReadings(const QModelIndex &index, const QList<double> &micrometres)
    {
        for (double um : micrometres)
            item(index)->appendData(makeReading(um), true);
    }

    void activate(const QModelIndex &index)
    {
        tree->setCurrentIndex(index);
        action("actionItemSetToActive")->trigger();
    }

private slots:
    void init()
    {
        window = w.window = new Widget;
        window->show();
        tree = w.tree();
    }
    void cleanup() { delete window; }

    void startUpTree()
    {
        QCOMPARE(model()->rowCount(), 2);
        QCOMPARE(node(0).data().toString(), QString("Store Data"));
        QCOMPARE(node(1).data().toString(), QString("Live Data"));
        QCOMPARE(item(node(0))->type(), ItemData::StoreData);
        QCOMPARE(item(node(1))->type(), ItemData::LiveData);
        QCOMPARE(children(), QStringList{"Measure1"});
        QCOMPARE(item(node(1, 0))->type(), ItemData::MeasureData);
        QVERIFY(tree->isExpanded(node(1)));
        QVERIFY(tree->isHeaderHidden());
        QCOMPARE(tree->editTriggers(), QAbstractItemView::NoEditTriggers);

        QCOMPARE(tree->currentIndex(), node(1, 0));
        QVERIFY(isActive(node(1, 0)));
        QVERIFY(!isActive(node(0)));
        QCOMPARE(node(1, 0).data(Qt::FontRole).value<QFont>().weight(), int(QFont::Bold));
        QCOMPARE(node(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor("#d57d00"));
        QCOMPARE(item(node(1, 0))->unit(), QString("um"));

        auto *tv = window->findChild<QTableView *>("tv");
        QCOMPARE(tv->horizontalHeader()->defaultAlignment(), Qt::AlignCenter);
        QCOMPARE(tv->selectionBehavior(), QAbstractItemView::SelectRows);
        const int widths[] = {80, 150, 100, 80, 80};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(tv->columnWidth(c), widths[c]);
    }

    void toolBarFollowsCurrentNode_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("child");
        QTest::addColumn<QStringList>("actions");

        QTest::newRow("measurement item") << 1 << 0
            << QStringList{"actionItemSetToActive", "actionItemRename", "actionItemNew", "actionItemDelete"};
        QTest::newRow("Store Data") << 0 << -1 << QStringList{"actionItemSetToActive", "actionItemDownload"};
        QTest::newRow("Live Data") << 1 << -1 << QStringList{"actionItemNew"};
    }

    void toolBarFollowsCurrentNode()
    {
        QFETCH(int, group);
        QFETCH(int, child);
        QFETCH(QStringList, actions);

        tree->setCurrentIndex(node(0)); // a change of row, whatever the row
        tree->setCurrentIndex(node(group, child));
        QStringList names;
        for (QAction *a : window->findChild<QToolBar *>("itemToolBar")->actions())
            names << a->objectName();
        QCOMPARE(names, actions);
    }

    void newItemProposalsAndRefusals()
    {
        QString proposal;
        newItem("MeasureX", &proposal);
        QCOMPARE(proposal, QString("Measure2"));
        newItem(QString(), &proposal); // cancelled
        QCOMPARE(proposal, QString("Measure3")); // Measure1 and MeasureX
        newItem("   ");
        QCOMPARE(children(), QStringList({"Measure1", "MeasureX"}));

        newItem("  Tank 7  ");
        QCOMPARE(children(), QStringList({"Measure1", "MeasureX", "Tank 7"}));
        QCOMPARE(tree->currentIndex(), node(1, 2));
        QVERIFY(isActive(node(1, 2)));
        QVERIFY(!isActive(node(1, 0)));
        QCOMPARE(item(node(1, 2))->type(), ItemData::MeasureData);
    }

    void newItemEmptiesTheViews()
    {
        addReadings(node(1, 0), {10, 20});
        activate(node(0));
        activate(node(1, 0));
        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(label("lcdNum"), QString("Num:2"));
        newItem("Second");
        QCOMPARE(table()->rowCount(), 0);
        QCOMPARE(label("lcdNum"), QString("Num:0"));
        QCOMPARE(label("lcdAvg"), QString("Avg:0"));
    }

    void activationReloadsOnceInMicrometres()
    {
        ItemData *measure = item(node(1, 0));
        addReadings(node(1, 0), {10, 20, 30});
        measure->setUnit("mil");
        activate(node(0));
        QCOMPARE(label("lcdNum"), QString("Num:0"));
        QVERIFY(!action("actionStart")->isEnabled());

        activate(node(1, 0));
        QCOMPARE(measure->unit(), QString("um"));
        QCOMPARE(table()->index(0, 2).data().toString(), QString("10"));
        QCOMPARE(label("lcdNum"), QString("Num:3"));
        QCOMPARE(label("lcdAvg"), QString("Avg:20.0"));
        QCOMPARE(label("lcdMin"), QString("Min:10.0"));
        QCOMPARE(label("lcdMax"), QString("Max:30.0"));

        // Activating the active item or the "Live Data" group reloads nothing.
        QSignalSpy reset(table(), &QAbstractItemModel::rowsRemoved);
        activate(node(1, 0));
        w.activate(node(1));
        QCOMPARE(reset.count(), 0);
        QVERIFY(isActive(node(1, 0)));
    }

    void renameChangesTheItemName()
    {
        tree->setCurrentIndex(node(1, 0));
        QString proposal;
        answerName("  Pipe 4 ", &proposal);
        action("actionItemRename")->trigger();
        QCOMPARE(proposal, QString("Measure1"));
        QCOMPARE(node(1, 0).data().toString(), QString("Pipe 4"));
        QCOMPARE(item(node(1, 0))->name(), QString("Pipe 4"));

        answerName("  ");
        action("actionItemRename")->trigger();
        QCOMPARE(node(1, 0).data().toString(), QString("Pipe 4"));

        // "Store Data" is never renamed: no dialog opens.
        tree->setCurrentIndex(node(0));
        QPointer<QTimer> poll = answerNextModal(cancelDialog);
        QMetaObject::invokeMethod(window, "on_actionItemRename_triggered");
        QVERIFY(poll); // still waiting: no dialog came
        delete poll;
        QCOMPARE(node(0).data().toString(), QString("Store Data"));
    }

    void deleteActiveMovesTheActivation()
    {
        newItem("Second");
        newItem("Third");
        addReadings(node(1, 1), {50});
        activate(node(1, 1));
        QCOMPARE(table()->rowCount(), 1);

        answerNextModal(clickMessageBox(QMessageBox::No));
        action("actionItemDelete")->trigger();
        QCOMPARE(children(), QStringList({"Measure1", "Second", "Third"}));

        QString question;
        answerNextModal(clickMessageBox(QMessageBox::Yes, &question));
        action("actionItemDelete")->trigger();
        QCOMPARE(question, QString("Are you sure delete this item?"));
        QCOMPARE(children(), QStringList({"Measure1", "Third"}));
        const QModelIndex current = tree->currentIndex();
        QVERIFY(current.isValid());
        QVERIFY(isActive(current));
        QCOMPARE(table()->rowCount(), 0);
    }

    void deleteNonActiveLeavesNoneActive()
    {
        newItem("Second");
        addReadings(node(1, 1), {50});
        activate(node(1, 1));
        tree->setCurrentIndex(node(1, 0));
        answerNextModal(clickMessageBox(QMessageBox::Yes));
        action("actionItemDelete")->trigger();
        QCOMPARE(children(), QStringList({"Second"}));
        QCOMPARE(table()->rowCount(), 0);

        // Nothing is active now, so a live reading is not recorded.
        QObject *gauge = fakeGauge();
        gauge->setProperty("gaugeOpen", true);
        QMetaObject::invokeMethod(gauge, "opened");
        action("actionStart")->trigger();
        QPointer<DmmData> reading = makeReading(5);
        QMetaObject::invokeMethod(gauge, "display", Q_ARG(const DmmData *, reading));
        QVERIFY(reading.isNull());
        QCOMPARE(item(node(1, 0))->dataList().size(), 1);
        gauge->setProperty("gaugeOpen", false);
    }

    void groupsCannotBeDeleted()
    {
        for (const QModelIndex &group : {node(0), node(1)}) {
            tree->setCurrentIndex(group);
            QPointer<QTimer> poll = answerNextModal(clickMessageBox(QMessageBox::Yes));
            QMetaObject::invokeMethod(window, "on_actionItemDelete_triggered");
            QVERIFY(poll);
            delete poll;
        }
        QCOMPARE(model()->rowCount(), 2);
        QCOMPARE(children(), QStringList{"Measure1"});
    }
};

MERIDO_TEST_MAIN(TestItemCommands)
#include "tst_itemcommands.moc"
