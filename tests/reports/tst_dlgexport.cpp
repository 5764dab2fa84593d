#include "reportfixtures.h"
#include "reports/dlgexport.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

// The export dialog on its own.
class TestDlgExport : public QObject
{
    Q_OBJECT

    static QWidget *sceneRow(dlgExport &dialog) { return dialog.findChild<QWidget *>("wgtScene"); }
    static QLineEdit *sceneEdit(dlgExport &dialog) { return dialog.findChild<QLineEdit *>("edtSceneName"); }

private slots:
    void initialState()
    {
        dlgExport dialog;
        dialog.show();
        QCOMPARE(dialog.exportType(), 0);
        QVERIFY(dialog.findChild<QRadioButton *>("rbTable")->isChecked());
        QVERIFY(!sceneRow(dialog)->isVisible());
        QVERIFY(dialog.sceneFile().isEmpty());
        QVERIFY(dialog.windowTitle().isEmpty());
        QCOMPARE(dialog.findChild<QRadioButton *>("rbPdf")->text(), QString("PDF"));
        QCOMPARE(dialog.findChild<QLabel *>("label")->text(), QString("Scene Picture"));
    }

    void choosingAnOutput_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("sceneShown");

        QTest::newRow("histogram") << "rbHistogram" << 1 << false;
        QTest::newRow("chart") << "rbChart" << 2 << false;
        QTest::newRow("PDF") << "rbPdf" << 3 << true;
    }

    // The scene row is visible exactly while "PDF" is chosen.
    void choosingAnOutput()
    {
        QFETCH(QString, button);
        QFETCH(int, type);
        QFETCH(bool, sceneShown);

        dlgExport dialog;
        dialog.show();
        dialog.findChild<QRadioButton *>(button)->click();
        QCOMPARE(dialog.exportType(), type);
        QCOMPARE(sceneRow(dialog)->isVisible(), sceneShown);
        dialog.findChild<QRadioButton *>("rbTable")->click();
        QCOMPARE(dialog.exportType(), 0);
        QVERIFY(!sceneRow(dialog)->isVisible());
    }

    // A stored file is shown even when it is gone; typed text is not read.
    void sceneFileShownNotTyped()
    {
        dlgExport dialog;
        dialog.setSceneFile("/no/such/scene.png");
        QCOMPARE(sceneEdit(dialog)->text(), QString("/no/such/scene.png"));
        QTest::keyClicks(sceneEdit(dialog), "typed.png");
        QCOMPARE(dialog.sceneFile(), QString("/no/such/scene.png"));
    }

    void sceneChooser_data()
    {
        QTest::addColumn<bool>("cancel");

        QTest::newRow("chosen") << false;
        QTest::newRow("cancelled: the field empties") << true;
    }

    void sceneChooser()
    {
        QFETCH(bool, cancel);

        const QString picture = fixture("scene.png");
        dlgExport dialog;
        dialog.setSceneFile("/earlier/scene.png");
        dialog.show();
        answerNextModal([&](QWidget *chooser) { chooseFile(chooser, cancel ? QString() : picture); });
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnScenePic"), Qt::LeftButton);
        const QString expected = cancel ? QString() : picture;
        QCOMPARE(dialog.sceneFile(), expected);
        QCOMPARE(sceneEdit(dialog)->text(), expected);
    }
};

MERIDO_TEST_MAIN(TestDlgExport)
#include "tst_dlgexport.moc"
