#include "app/widget.h"
#include "charts/chartline.h"
#include "charts/chartpoint.h"
#include "charts/dmmchart.h"
#include "charts/histogram.h"
#include "device/dlgdownload.h"
#include "device/dmmdata.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/testsupport.h"
#include "support/windowdriver.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

// The download command and its dialog, with the fake gauge playing the
// plug-in's side from inside the dialog's event loop.
class TestDownload : public QObject
{
    Q_OBJECT

    QObject *gauge = nullptr;
    WindowDriver w;

    ItemData *storeItem() { return w.item(w.node(0)); }
    void progress(int total, int pos) { QMetaObject::invokeMethod(gauge, "storeNum", Q_ARG(int, total), Q_ARG(int, pos)); }
    void store(DmmData *reading) { QMetaObject::invokeMethod(gauge, "displayStore", Q_ARG(const DmmData *, reading)); }

    // Runs Download; the plug-in's part runs once the dialog is up. Returns
    // whether the dialog closed by itself within the time given.
    bool download(const std::function<void(QDialog *)> &plugin, int closeWithinMs = 2000)
    {
        bool closedByItself = true;
        answerNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<QDialog *>(modal);
            plugin(dialog);
            QPointer<QDialog> guard(dialog);
            QTimer::singleShot(closeWithinMs, [&closedByItself, guard] {
                if (guard) {
                    closedByItself = false;
                    guard->reject();
                }
            });
        });
        w.trigger("actionItemDownload");
        return closedByItself;
    }

private slots:
    void initTestCase()
    {
        gauge = fakeGauge();
        QVERIFY(gauge);
    }

    void init()
    {
        gauge->setProperty("readStoreCalls", 0);
        w.openConnected();
    }

    void cleanup() { delete w.window; }

    void closedGaugeDoesNothing()
    {
        storeItem()->appendData(makeReading(10), true);
        w.trigger("actionDisconnect");
        QPointer<QTimer> poll = answerNextModal(cancelDialog);
        w.trigger("actionItemDownload");
        QVERIFY(poll); // no dialog came
        delete poll;
        QCOMPARE(storeItem()->dataList().size(), 1);
        QCOMPARE(gauge->property("readStoreCalls").toInt(), 0);
    }

    void readingsFillStoreDataInMicrometres()
    {
        storeItem()->appendData(makeReading(10), true); // replaced by the download
        QString dialogText;
        QPointer<QDialog> shown;
        QVERIFY(download([&](QDialog *dialog) {
            shown = dialog;
            QCOMPARE(dialog->windowFlags(), Qt::Dialog | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
            dialogText = dialog->findChild<QLabel *>("label")->text();
            progress(3, 0);
            store(makeReading(254, "mil", "NFe"));
            store(makeReading(127, "mil", "NFe"));
            progress(3, 2);
            QCOMPARE(dialog->findChild<QProgressBar *>("progressBar")->maximum(), 3);
            QCOMPARE(dialog->findChild<QProgressBar *>("progressBar")->value(), 2);
            store(makeReading(381, "mil", "NFe"));
            progress(3, 3);
        }));
        QCOMPARE(dialogText, QString(" Downloading data...   "));
        QVERIFY(shown.isNull()); // deleted on close
        QCOMPARE(gauge->property("readStoreCalls").toInt(), 1);
        QVERIFY(w.node(0).data(TvItemModel::ActiveRole).toBool());
        QCOMPARE(storeItem()->dataList().size(), 3);
        QCOMPARE(storeItem()->unit(), QString("um"));
        QCOMPARE(w.table()->rowCount(), 3);
        QCOMPARE(w.table()->index(0, 2).data().toString(), QString("254"));
        QCOMPARE(w.table()->index(0, 3).data().toString(), QString("um"));
        QCOMPARE(w.label("lcdNum"), QString("Num:3"));
        QCOMPARE(w.label("lcdAvg"), QString("Avg:254.0"));
        auto *chart = w.window->findChild<DMMChart *>("chart");
        auto *histogram = w.window->findChild<Histogram *>("Histogram1");
        QCOMPARE(chart->line(0)->values, QVector<double>({254, 127, 381}));
        // The label keeps the reading's own unit text.
        QCOMPARE(chart->line(0)->points.first()->label.toString(), QString("254mil NFe"));
        QCOMPARE(chart->yAxisTitle(), QString("Thickness(um)"));
        QCOMPARE(histogram->yAxisTitle(), QString("Thickness(um)"));
        QCOMPARE(histogram->valueDecimals(), 1);
        QCOMPARE(histogram->valueCount(), 3);
        QVERIFY(!w.action("actionStart")->isEnabled());

        // A second download replaces the first.
        QVERIFY(download([&](QDialog *) {
            progress(1, 0);
            store(makeReading(100));
            progress(1, 1);
        }));
        QCOMPARE(storeItem()->dataList().size(), 1);
        QCOMPARE(w.table()->rowCount(), 1);
        QCOMPARE(w.label("lcdNum"), QString("Num:1"));
    }

    void closingRules_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("pos");
        QTest::addColumn<bool>("closes");

        QTest::newRow("empty memory") << 0 << 0 << true;
        QTest::newRow("past the end") << 5 << 7 << true;
        QTest::newRow("midway") << 5 << 2 << false;
    }

    void closingRules()
    {
        QFETCH(int, total);
        QFETCH(int, pos);
        QFETCH(bool, closes);
        QCOMPARE(download([&](QDialog *) { progress(total, pos); }, 500), closes);
    }

    void inactivityCloses()
    {
        DlgDownload dialog(w.window);
        QTimer::singleShot(0, &dialog, [&] {
            dialog.updatePos(10, 3);
            // The 5 s timer runs out: deliver its event rather than wait.
            QTimerEvent timeout(0);
            QCoreApplication::sendEvent(&dialog, &timeout);
        });
        QTimer::singleShot(2000, &dialog, &QDialog::reject);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }

    void readingsOnlyWhileStoreDataIsActive()
    {
        QVERIFY(download([&](QDialog *) {
            progress(4, 0);
            store(makeReading(100));
            progress(4, 4);
        }));
        // After the dialog closed, readings still land in "Store Data"...
        store(makeReading(200));
        QCOMPARE(storeItem()->dataList().size(), 2);
        // ...but not once another item is active.
        w.activate(w.node(1, 0));
        QPointer<DmmData> late = makeReading(300);
        store(late);
        QVERIFY(late.isNull());
        QCOMPARE(storeItem()->dataList().size(), 2);
        store(nullptr);
    }
};

MERIDO_TEST_MAIN(TestDownload)
#include "tst_download.moc"
