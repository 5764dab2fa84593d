#include "app/widget.h"
#include "charts/chartline.h"
#include "charts/dmmchart.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/testsupport.h"
#include "support/windowdriver.h"

#include <QAction>
#include <QTreeView>

// The whole road with the simulated gauge, loaded by the window's own scan
// from this test's Lib: connect, record, stop, download, disconnect.
class TestSimGauge : public QObject
{
    Q_OBJECT

    WindowDriver w;
    QAction *action(const char *name) { return w.action(name); }

private slots:
    void initTestCase()
    {
        // The gauge reads its settings when the window's scan loads it.
        qputenv("MERIDO_SIM_INTERVAL_MS", "10");
        qputenv("MERIDO_SIM_MEMORY", "2500");
        qputenv("MERIDO_SIM_UNIT", "switch");
        qputenv("MERIDO_SIM_SWITCH_EVERY", "6");
        qputenv("MERIDO_SIM_SEED", "7");
        w.window = new Widget;
        w.window->show();
    }

    void cleanupTestCase() { delete w.window; }

    void recordLive()
    {
        QVERIFY(action("actionConnect")->isEnabled());
        action("actionConnect")->trigger();
        QVERIFY(action("actionDisconnect")->isEnabled());
        QVERIFY(action("actionStart")->isEnabled());
        action("actionStart")->trigger();

        ItemData *measure = w.item(w.node(1, 0));
        // Past at least one switch of unit.
        QTRY_VERIFY_WITH_TIMEOUT(measure->dataList().size() >= 14, 5000);
        action("actionStop")->trigger();
        const int recorded = measure->dataList().size();
        QCOMPARE(w.table()->rowCount(), recorded);
        QCOMPARE(w.label("lcdNum"), QString("Num:%1").arg(recorded));
        // Every row, earlier ones included, is shown in the item's unit now.
        const QString unit = measure->unit();
        QCOMPARE(w.label("lcdUnit"), unit);
        QVERIFY(unit == "um" || unit == "mil");
        for (int r = 0; r < recorded; ++r) {
            const QString value = w.table()->index(r, 2).data().toString();
            QCOMPARE(w.table()->index(r, 3).data().toString(), unit);
            QVERIFY2(value.endsWith("OL") || value.contains('.') == (unit == "mil"), qPrintable(value));
        }
        auto *chart = w.window->findChild<DMMChart *>("chart");
        QCOMPARE(chart->yAxisTitle(), unit == "um" ? QString("Thickness(um)") : QString("Thickness(mil)"));
        QCOMPARE(chart->line(0)->points.size(), recorded);

        QTest::qWait(100); // readings keep coming, unrecorded
        QCOMPARE(measure->dataList().size(), recorded);
        QVERIFY(action("actionStart")->isEnabled());
    }

    void downloadMemory()
    {
        w.tree()->setCurrentIndex(w.node(0));
        answerNextModal([](QWidget *) {}); // the dialog closes by itself
        action("actionItemDownload")->trigger();
        ItemData *store = w.item(w.node(0));
        QCOMPARE(store->dataList().size(), 2500);
        QCOMPARE(w.table()->rowCount(), 2500);
        QCOMPARE(w.label("lcdNum"), QString("Num:2500"));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(w.node(0).data(TvItemModel::ActiveRole).toBool());
        QVERIFY(!action("actionStart")->isEnabled());
    }

    void disconnect()
    {
        action("actionDisconnect")->trigger();
        QVERIFY(action("actionConnect")->isEnabled());
        QVERIFY(!action("actionDisconnect")->isEnabled());
        QVERIFY(!action("actionStart")->isEnabled());
        QVERIFY(!action("actionStop")->isEnabled());
    }
};

MERIDO_TEST_MAIN(TestSimGauge)
#include "tst_simgauge.moc"
