#include "app/widget.h"
#include "items/tvitemmodel.h"
#include "reportfixtures.h"
#include "reports/workbookreader.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeView>

// Export and Import on the whole window, driven through their dialogs.
class TestReportCommands : public QObject
{
    Q_OBJECT

    Widget *window = nullptr;
    QTreeView *tree = nullptr;
    std::unique_ptr<QTemporaryDir> dir;

    QAbstractItemModel *model() { return tree->model(); }
    QModelIndex node(int group, int child = -1)
    {
        const QModelIndex top = model()->index(group, 0);
        return child < 0 ? top : model()->index(child, 0, top);
    }
    ItemData *item(const QModelIndex &index) { return index.data(TvItemModel::ItemDataRole).value<ItemData *>(); }
    QAction *action(const char *name) { return window->findChild<QAction *>(name); }
    QAbstractItemModel *table() { return window->findChild<QTableView *>("tv")->model(); }
    QTabWidget *tabs() { return window->findChild<QTabWidget *>("tabWidget"); }
    QString label(const char *name) { return window->findChild<QLabel *>(name)->text(); }
    int liveItems() { return model()->rowCount(node(1)); }
    QString path(const QString &name) { return name.isEmpty() ? QString() : dir->filePath(name); }

    void activate(const QModelIndex &index)
    {
        tree->setCurrentIndex(index);
        action("actionItemSetToActive")->trigger();
    }

    // Measure1 with n readings, reloaded into every view.
    void fillMeasure1(int n)
    {
        ItemData *measure = item(node(1, 0));
        std::unique_ptr<ItemData> source(itemWithReadings(n));
        for (DmmData *reading : source->dataList())
            measure->appendData(makeReading(reading->valueUm(), reading->unit(), reading->basis(), reading->time()), true);
        activate(node(0));
        activate(node(1, 0));
    }

    // Picks an output in the export dialog, optionally runs "..." first,
    // and presses OK, or cancels the dialog.
    static std::function<void(QWidget *)> exportAs(const QString &button, bool pressSceneButton = false)
    {
        return [button, pressSceneButton](QWidget *widget) {
            QVERIFY2(widget->objectName() == "dlgExport", "the modal widget is no export dialog");
            if (button.isEmpty()) {
                cancelDialog(widget);
                return;
            }
            widget->findChild<QRadioButton *>(button)->click();
            if (pressSceneButton)
                widget->findChild<QPushButton *>("btnScenePic")->click();
            widget->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        };
    }

    static std::function<void(QWidget *)> file(const QString &name)
    {
        return [name](QWidget *dialog) { chooseFile(dialog, name); };
    }

    // The scene file the next export dialog offers.
    QString offeredScene()
    {
        QString shown;
        answerNextModal([&shown](QWidget *dialog) {
            shown = dialog->findChild<QLineEdit *>("edtSceneName")->text();
            cancelDialog(dialog);
        });
        action("actionExport")->trigger();
        return shown;
    }

    // Runs Import on a file and returns the message shown.
    QString import(const QString &fileName)
    {
        QString message;
        answerModals({file(fileName), clickMessageBox(QMessageBox::Ok, &message)});
        action("actionImport")->trigger();
        return message;
    }

    QStringList tableRow(QAbstractItemModel *rows, int row)
    {
        QStringList cells;
        for (int c = 0; c < rows->columnCount(); ++c)
            cells << rows->index(row, c).data().toString();
        return cells;
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        window = new Widget;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        tree = window->findChild<QTreeView *>("tvItems");
    }
    void cleanup() { delete window; }

    // A cancelled dialog exports nothing, and the wait cursor is gone.
    void cancelledDialog()
    {
        answerModals({exportAs(QString())});
        action("actionExport")->trigger();
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(QDir(dir->path()).isEmpty());
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");

        QTest::newRow("histogram") << "rbHistogram" << "histogram.jpg" << "histogram.jpg" << "";
        QTest::newRow("chart, no suffix") << "rbChart" << "chart" << "chart.jpg" << "";
        QTest::newRow("chooser cancelled") << "rbChart" << "" << "" << "";
        QTest::newRow("unwritable") << "rbHistogram" << "no-such-folder/h.jpg" << ""
                                    << "The datas is exported failed.";
    }

    // A picture of the current contents, silent on success, a warning when
    // it could not be saved.
    void pictures()
    {
        QFETCH(QString, button);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QString, message);

        fillMeasure1(5);
        QString shown;
        QList<std::function<void(QWidget *)>> answers{exportAs(button), file(path(chosen))};
        if (!message.isEmpty())
            answers << clickMessageBox(QMessageBox::Ok, &shown);
        answerModals(answers);
        action("actionExport")->trigger();

        QCOMPARE(shown, message);
        QVERIFY(!QGuiApplication::overrideCursor());
        if (written.isEmpty()) {
            QVERIFY(QDir(dir->path()).entryList(QDir::Files).isEmpty());
            return;
        }
        QImageReader picture(path(written));
        QCOMPARE(picture.format(), QByteArray("jpeg"));
        QVERIFY(picture.size().width() > 100);
        QVERIFY(QFile::remove(path(written)));
    }

    // From the chart page: every page is shown once and the chart page is
    // current again; the chosen scene is stored and heads the report.
    void pdfReport()
    {
        fillMeasure1(30);
        tabs()->setCurrentIndex(2);
        QSignalSpy pages(tabs(), &QTabWidget::currentChanged);
        const QString scene = path("scene.png");
        QVERIFY(QFile::copy(fixture("scene.png"), scene));
        const QString report = path("report.pdf");
        QString message;
        answerModals({exportAs("rbPdf", true), file(scene), file(report), clickMessageBox(QMessageBox::Ok, &message)});
        action("actionExport")->trigger();

        QCOMPARE(message, QString("The datas is exported successfully."));
        QVERIFY(!QGuiApplication::overrideCursor());
        QList<int> shown;
        for (const QList<QVariant> &signal : pages)
            shown << signal.at(0).toInt();
        QCOMPARE(shown, (QList<int>{0, 1, 2}));
        QCOMPARE(tabs()->currentIndex(), 2);
        QVERIFY(pdfPageCount(report) >= 3);
        const QString first = pdfText(report, 1);
        for (const char *heading : {"Scene picture:", "Histogram:", "Chart:"})
            QVERIFY2(first.contains(heading), heading);
        QVERIFY(pdfText(report, 2).contains("2026-03-01 09:30:00"));
        QCOMPARE(offeredScene(), scene);
    }

    // Only a scene file that exists is stored; one that is gone is still
    // offered, and the report then has no scene picture.
    void sceneFileKept()
    {
        const QString scene = path("kept.png");
        QVERIFY(QFile::copy(fixture("scene.png"), scene));
        // Chosen, then the report's chooser cancelled: stored all the same.
        answerModals({exportAs("rbPdf", true), file(scene), file(QString())});
        action("actionExport")->trigger();
        QCOMPARE(offeredScene(), scene);

        QVERIFY(QFile::remove(scene));
        const QString report = path("without-scene.pdf");
        answerModals({exportAs("rbPdf"), file(report), clickMessageBox(QMessageBox::Ok)});
        action("actionExport")->trigger();
        QVERIFY(!pdfText(report, 1).contains("Scene picture:"));
        QCOMPARE(offeredScene(), scene);

        // "..." cancelled empties the field; the stored name stays.
        answerModals({exportAs("rbPdf", true), file(QString()), file(path("emptied.pdf")), clickMessageBox(QMessageBox::Ok)});
        action("actionExport")->trigger();
        QVERIFY(!pdfText(path("emptied.pdf"), 1).contains("Scene picture:"));
        QCOMPARE(offeredScene(), scene);
    }

    void unwritableFiles_data()
    {
        QTest::addColumn<QString>("button");

        QTest::newRow("workbook") << "rbTable";
        QTest::newRow("PDF report") << "rbPdf";
    }

    // Failure is reported as failure, and no file is left behind.
    void unwritableFiles()
    {
        QFETCH(QString, button);

        fillMeasure1(3);
        const QString target = path("no-such-folder/readings");
        QString message;
        answerModals({exportAs(button), file(target), clickMessageBox(QMessageBox::Ok, &message)});
        action("actionExport")->trigger();
        QCOMPARE(message, QString("The datas is exported failed."));
        QVERIFY(QDir(dir->path()).entryList(QDir::Files).isEmpty());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The workbook, named without a suffix, gets ".xlsx"; imported again it
    // gives the same table.
    void workbookRoundTrip()
    {
        fillMeasure1(20);
        QString message;
        answerModals({exportAs("rbTable"), file(path("readings")), clickMessageBox(QMessageBox::Ok, &message)});
        action("actionExport")->trigger();
        QCOMPARE(message, QString("The datas is exported successfully."));
        QVERIFY(QFileInfo::exists(path("readings.xlsx")));

        QList<QStringList> exported;
        for (int r = 0; r < table()->rowCount(); ++r)
            exported << tableRow(table(), r);
        QCOMPARE(import(path("readings.xlsx")), QString("The datas is imported successfully."));
        QCOMPARE(node(1, 1).data().toString(), QString("Import1"));
        QCOMPARE(table()->rowCount(), 20);
        for (int r = 0; r < 20; ++r)
            QCOMPARE(tableRow(table(), r), exported.at(r));
        QCOMPARE(label("lcdNum"), QString("Num:20"));
    }

    void importedItems_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("firstRow");
        QTest::addColumn<QString>("average");

        const QString ok = "The datas is imported successfully.";
        const QStringList calcRow{"1", "2026-03-01 09:30:00", "125", "um", "Fe"};
        QTest::newRow("legacy .xls") << "calc.xls" << ok << 5 << "um" << calcRow << "Avg:44.7";
        QTest::newRow(".xlsx of a spreadsheet program") << "calc.xlsx" << ok << 5 << "um" << calcRow << "Avg:44.7";
        // UM is micrometres to the import, but not "um" to the item.
        QTest::newRow("unit in capitals") << "capitals.xlsx" << ok << 1 << "UM"
                                          << QStringList{"1", "2026-03-01 09:30:00", "0.47", "UM", "Fe"} << "Avg:0.47";
        QTest::newRow("header only") << "header-only.xlsx" << ok << 0 << "um" << QStringList() << "Avg:0.0";
        QTest::newRow("mixed units: the last row's wins") << "mixed-units.xlsx" << ok << 2 << "mil"
            << QStringList{"1", "2026-03-01 09:30:00", "4.92", "mil", "Fe"} << "Avg:4.92";
        QTest::newRow("a million blank rows between two readings") << "blank-rows.xlsx" << ok << 2 << "um"
                                                                   << calcRow << "Avg:125.0";
        QTest::newRow("rows of four cells") << "four-columns.xlsx" << "The datas is imported failed." << 0 << "um"
                                            << QStringList() << "Avg:0.0";
    }

    void importedItems()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(int, count);
        QFETCH(QString, unit);
        QFETCH(QStringList, firstRow);
        QFETCH(QString, average);

        QCOMPARE(import(fixture(file)), message);
        QCOMPARE(liveItems(), 2);
        ItemData *imported = item(node(1, 1));
        QCOMPARE(imported->name(), QString("Import1"));
        QCOMPARE(imported->type(), ItemData::ImportData);
        QVERIFY(node(1, 1).data(TvItemModel::ActiveRole).toBool());
        QCOMPARE(imported->unit(), unit);
        QCOMPARE(table()->rowCount(), count);
        if (count)
            QCOMPARE(tableRow(table(), 0), firstRow);
        QCOMPARE(label("lcdNum"), QString("Num:%1").arg(count));
        QCOMPARE(label("lcdAvg"), average);
        QVERIFY(tree->isEnabled());
    }

    void overRangeTexts()
    {
        QCOMPARE(import(fixture("calc.xls")), QString("The datas is imported successfully."));
        const QList<DmmData *> readings = item(node(1, 1))->dataList();
        QCOMPARE(readings.at(1)->textUm(), QString("   -OL"));
        QCOMPARE(readings.at(1)->textMil(), QString("   -OL"));
        QCOMPARE(readings.at(2)->textMil(), QString("    OL"));
        QCOMPARE(readings.at(2)->valueUm(), 0.0);
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("file");

        QTest::newRow("not a workbook") << "not-a-workbook.xlsx";
        QTest::newRow("truncated") << "truncated.xlsx";
        QTest::newRow("damaged .xls") << "fuzz-freexl-stack-underflow.bin";
    }

    // A message, and no item.
    void unreadableFiles()
    {
        QFETCH(QString, file);

        QCOMPARE(import(fixture(file)), QString("The datas is imported failed."));
        QCOMPARE(liveItems(), 1);
        QVERIFY(tree->isEnabled());
        QCOMPARE(item(node(1, 0))->name(), QString("Measure1"));
    }

    // The number counts the items named Import..., groups included, so a
    // gap makes a name come twice.
    void importNames()
    {
        for (int i = 0; i < 3; ++i)
            import(fixture("header-only.xlsx"));
        tree->setCurrentIndex(node(1, 2));
        answerNextModal(clickMessageBox(QMessageBox::Yes));
        action("actionItemDelete")->trigger();
        QCOMPARE(item(node(1, 2))->name(), QString("Import3"));

        import(fixture("header-only.xlsx"));
        QCOMPARE(item(node(1, 3))->name(), QString("Import3"));
        item(node(1))->setName("Imports");
        import(fixture("header-only.xlsx"));
        QCOMPARE(item(node(1, 4))->name(), QString("Import5"));
    }
};

MERIDO_TEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
