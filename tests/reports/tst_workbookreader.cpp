#include "reportfixtures.h"
#include "reports/readingrow.h"
#include "reports/sheetgrid.h"
#include "reports/workbookreader.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

// The workbook readers on files of real spreadsheet programs, hand-made
// sheets and damaged files.
class TestWorkbookReader : public QObject
{
    Q_OBJECT

    // A cell as text: "n:" number, "t:" date-time, "s:" text, "" empty.
    static QString show(const QVariant &cell)
    {
        switch (cell.type()) {
        case QVariant::Invalid:
            return QString();
        case QVariant::Double:
            return QStringLiteral("n:") + QString::number(cell.toDouble(), 'g', 15);
        case QVariant::DateTime:
            return QStringLiteral("t:") + cell.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
        case QVariant::String:
            return QStringLiteral("s:") + cell.toString();
        default:
            return QStringLiteral("?:") + cell.toString();
        }
    }

    static QStringList show(const QVector<SheetGrid::Row> &rows)
    {
        QStringList lines;
        for (const SheetGrid::Row &row : rows) {
            QStringList cells;
            for (const QVariant &cell : row)
                cells << show(cell);
            lines << cells.join(QLatin1Char('|'));
        }
        return lines;
    }

private slots:
    void spreadsheetFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected");

        const QStringList calc{
            "s:No.|s:Time|s:Value|s:Unit|s:Basis",
            "n:1|t:2026-03-01 09:30:00.000|n:125|s:um|s:Fe",
            "n:2|t:2026-03-01 09:30:05.000|s:   -OL|s:um|s:Fe",
            "n:3|t:2026-03-01 09:30:10.000|s:    OL|s:um|s:NFe",
            "n:4|t:2026-03-01 09:31:00.000|n:98.5|s:um|s:Fe",
            "n:5|t:2026-03-02 23:59:59.000|n:0|s:um|s:NFe",
        };
        QTest::newRow("legacy .xls by a spreadsheet program") << "calc.xls" << calc;
        QTest::newRow(".xlsx by a spreadsheet program, shared strings") << "calc.xlsx" << calc;
        // The used range starts at the first row and column holding a value.
        QTest::newRow("no header, cells out of order, empty cells, runs") << "out-of-order.xlsx"
            << QStringList{"n:1|t:2026-03-01 09:30:00.000||s:um|s:Fe",
                           "n:2|t:2026-03-01 09:30:50.000|s:130|s:um|s:NFe",
                           "n:3||||"};
    }

    void spreadsheetFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, expected);

        WorkbookReader reader(5);
        QVERIFY2(reader.read(fixture(file)), qPrintable(reader.errorString()));
        QCOMPARE(show(reader.rows()), expected);
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("file");

        QTest::newRow("text file named .xlsx") << fixture("not-a-workbook.xlsx");
        QTest::newRow("truncated archive") << fixture("truncated.xlsx");
        QTest::newRow("malformed sheet XML") << fixture("bad-xml.xlsx");
        QTest::newRow("cell beyond the sheet's limits") << fixture("bad-reference.xlsx");
        QTest::newRow("document type with entities") << fixture("doctype.xlsx");
        QTest::newRow("sheet inflating to 200 MB") << fixture("zip-bomb.xlsx");
        QTest::newRow("missing file") << fixture("no-such-file.xlsx");
        QTest::newRow("folder") << fixture(QString());
        const QStringList findings = QDir(fixture(QString())).entryList({"fuzz-*"}, QDir::Files);
        QVERIFY(!findings.isEmpty());
        for (const QString &finding : findings)
            QTest::newRow(qPrintable(finding)) << fixture(finding);
    }

    // Fails cleanly and quickly, with nothing read.
    void unreadableFiles()
    {
        QFETCH(QString, file);

        WorkbookReader reader(5);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!reader.read(file));
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(reader.rows().isEmpty());
        QVERIFY(!reader.errorString().isEmpty());
    }

    void readingRows_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("um");
        QTest::addColumn<double>("mil");
        QTest::addColumn<QString>("textUm");
        QTest::addColumn<QString>("textMil");

        QTest::newRow("micrometres") << "125" << "um" << 125.0 << 125 / 25.4 << "125" << "4.92";
        QTest::newRow("unit in capitals") << "12" << "UM" << 12.0 << 12 / 25.4 << "12" << "0.47";
        QTest::newRow("mils") << "4.92" << "mil" << 4.92 * 25.4 << 4.92 << "125" << "4.92";
        QTest::newRow("negative over range") << "   -OL" << "um" << 0.0 << 0.0 << "   -OL" << "   -OL";
        QTest::newRow("over range, any spelling") << "OL" << "mil" << 0.0 << 0.0 << "    OL" << "    OL";
        QTest::newRow("not a number") << "abc" << "um" << 0.0 << 0.0 << "abc" << "0.00";
    }

    void readingRows()
    {
        QFETCH(QString, value);
        QFETCH(QString, unit);
        QFETCH(double, um);
        QFETCH(double, mil);
        QFETCH(QString, textUm);
        QFETCH(QString, textMil);

        const QDateTime time(QDate(2026, 3, 1), QTime(9, 30, 5));
        std::unique_ptr<DmmData> reading(ReadingRow::toReading({1.0, time, value, unit, "Fe"}));
        QVERIFY(reading);
        QCOMPARE(reading->valueUm(), um);
        QCOMPARE(reading->valueMil(), mil);
        QCOMPARE(reading->textUm(), textUm);
        QCOMPARE(reading->textMil(), textMil);
        QCOMPARE(reading->unit(), unit);
        QCOMPARE(reading->basis(), QString("Fe"));
        QCOMPARE(reading->time(), time);

        // The time as text in the export's format, as a workbook may hold it.
        reading.reset(ReadingRow::toReading({1.0, "2026-03-01 09:30:05", value, unit, "Fe"}));
        QCOMPARE(reading->time(), time);
        QVERIFY(!ReadingRow::toReading({1.0, time, value, unit}));
    }

    void emptyFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("empty.xls"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        WorkbookReader reader(5);
        QVERIFY(!reader.read(file.fileName()));
    }

    // The rectangle of the cells present, cut after the kept columns; far
    // positions cost nothing until they hold a value.
    void usedRange()
    {
        SheetGrid grid(3);
        QVERIFY(grid.isEmpty());
        QVERIFY(grid.setCell(4, 2, 1.0));
        QVERIFY(grid.setCell(2, 3, QStringLiteral("x")));
        QVERIFY(grid.setCell(3, 9, 2.0));
        QVERIFY(grid.setCell(4, 2, 3.0));
        QVERIFY(!grid.setCell(SheetGrid::maxRows, 0, 4.0));
        QVERIFY(!grid.setCell(0, SheetGrid::maxColumns, 4.0));
        QVERIFY(!grid.setCell(-1, 0, 4.0));
        QCOMPARE(show(grid.rows()), (QStringList{"|s:x|", "||", "n:3||"}));

        SheetGrid tall(5);
        QVERIFY(tall.setCell(0, 0, 1.0));
        QVERIFY(tall.setCell(SheetGrid::maxRows - 1, 4, 1.0));
        QCOMPARE(tall.rows().size(), SheetGrid::maxRows);
    }
};

MERIDO_TEST_MAIN(TestWorkbookReader)
#include "tst_workbookreader.moc"
