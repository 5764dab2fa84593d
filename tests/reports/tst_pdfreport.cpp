#include "reportfixtures.h"
#include "reports/pdfreport.h"
#include "reports/reportcolumn.h"

#include <QImage>
#include <QPixmap>
#include <QSaveFile>
#include <QTemporaryDir>

// The PDF report: pages, headings and table texts as a PDF reader sees them.
class TestPdfReport : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QList<ReportColumn *> columns;
    int rowsPerPage = 0;

    bool write(PdfReport &report, const QString &file)
    {
        QSaveFile out(file);
        return out.open(QIODevice::WriteOnly) && report.write(&out) && out.commit();
    }

private slots:
    void initTestCase()
    {
        columns << new ReportColumn{"No.", 2} << new ReportColumn{"Time", 3} << new ReportColumn{"Value", 3}
                << new ReportColumn{"Unit", 2} << new ReportColumn{"Basis", 2};
        std::unique_ptr<ItemData> item(itemWithReadings(0));
        const auto model = tableOf(item.get());
        PdfReport report(*model, columns);
        QVERIFY(write(report, dir.filePath("probe.pdf")));
        rowsPerPage = report.rowsPerPage();
        QVERIFY(rowsPerPage > 1);
    }

    void cleanupTestCase() { qDeleteAll(columns); }

    void pageCounts_data()
    {
        QTest::addColumn<int>("fullPages");
        QTest::addColumn<int>("extraRows");
        QTest::addColumn<int>("pages");

        QTest::newRow("no readings: the picture page alone") << 0 << 0 << 1;
        QTest::newRow("exactly one table page") << 1 << 0 << 2;
        QTest::newRow("one reading more") << 1 << 1 << 3;
    }

    void pageCounts()
    {
        QFETCH(int, fullPages);
        QFETCH(int, extraRows);
        QFETCH(int, pages);

        const int n = fullPages * rowsPerPage + extraRows;
        std::unique_ptr<ItemData> item(itemWithReadings(n));
        const auto model = tableOf(item.get());
        PdfReport report(*model, columns);
        const QString file = dir.filePath(QStringLiteral("pages-%1.pdf").arg(n));
        QVERIFY(write(report, file));
        QCOMPARE(report.pageCount(), pages);
        QCOMPARE(pdfPageCount(file), pages);
        const QString total = QString::number(pages);
        QVERIFY(pdfText(file, 1).contains("1/" + total));
        QVERIFY(pdfText(file, pages).contains(total + "/" + total));
        // A full table page, or the one reading left on the last.
        if (pages > 1) {
            const int expectedRows = extraRows ? extraRows : rowsPerPage;
            QCOMPARE(pdfText(file, pages).count(QRegularExpression("\\bum\\b")), expectedRows);
        }
    }

    void contents_data()
    {
        QTest::addColumn<bool>("pictures");

        QTest::newRow("scene picture, histogram and chart") << true;
        QTest::newRow("missing scene file, no pictures") << false;
    }

    // Page 1: the headings of the pictures there are. Then the table with
    // its untranslated titles, the readings' texts and the date line.
    void contents()
    {
        QFETCH(bool, pictures);

        std::unique_ptr<ItemData> item(itemWithReadings(3));
        const auto model = tableOf(item.get());
        PdfReport report(*model, columns);
        QPixmap picture(400, 300);
        picture.fill(Qt::darkCyan);
        const QString scene = dir.filePath("scene.png");
        QVERIFY(picture.toImage().save(scene));
        report.setSceneFile(pictures ? scene : dir.filePath("missing.png"));
        if (pictures) {
            report.setHistogram(picture);
            report.setChart(picture);
        }
        const QString file = dir.filePath(QStringLiteral("contents-%1.pdf").arg(pictures));
        QVERIFY(write(report, file));

        const QString first = pdfText(file, 1);
        for (const char *heading : {"Scene picture:", "Histogram:", "Chart:"})
            QCOMPARE(first.contains(heading), pictures);
        const QString table = pdfText(file, 2).simplified();
        QVERIFY2(table.contains("No. Time Value Unit Basis"), qPrintable(table));
        QVERIFY(table.contains("1 2026-03-01 09:30:00 100 um Fe"));
        QVERIFY(table.contains("2 2026-03-01 09:30:01 -OL um NFe"));
        QVERIFY(table.contains("3 2026-03-01 09:30:02 OL um Fe"));
        QVERIFY(table.contains(QDate::currentDate().toString("yyyy-MM-dd")));
        QVERIFY(table.contains("2/2"));
    }
};

MERIDO_TEST_MAIN(TestPdfReport)
#include "tst_pdfreport.moc"
