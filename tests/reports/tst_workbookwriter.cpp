#include "reportfixtures.h"
#include "reports/readingrow.h"
#include "reports/workbookreader.h"
#include "reports/workbookwriter.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

// The workbook written from the reading table, as a real reader sees it,
// and read back.
class TestWorkbookWriter : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    static WorkbookWriter readingWriter()
    {
        return WorkbookWriter({"No.", "Time", "Value", "Unit", "Basis"},
                              {WorkbookWriter::Number, WorkbookWriter::DateTime, WorkbookWriter::Text,
                               WorkbookWriter::Text, WorkbookWriter::Text});
    }

    // Each cell as [type, value, number format], and the column widths, as
    // openpyxl reads them.
    static QJsonObject openpyxl(const QString &file)
    {
        const QString script = QStringLiteral(
            "import datetime, json, sys, openpyxl\n"
            "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
            "show = lambda v: v.strftime('%Y-%m-%d %H:%M:%S') if isinstance(v, datetime.datetime) else v\n"
            "rows = [[[type(c.value).__name__, show(c.value), c.number_format] for c in r] for r in ws.iter_rows()]\n"
            "widths = {k: d.width for k, d in ws.column_dimensions.items()}\n"
            "print(json.dumps({'rows': rows, 'widths': widths}))\n");
        return QJsonDocument::fromJson(runChecked("/usr/bin/python3", {"-c", script, file})).object();
    }

private slots:
    void layoutSeenByOpenpyxl_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("unit");

        QTest::newRow("20 readings") << 20 << "um";
        QTest::newRow("mil item") << 5 << "mil";
        QTest::newRow("empty item") << 0 << "um";
    }

    // Row 1 the header; then column A the running number, B date-times, C to
    // E the table's texts as shown, blanks included, formatted as text.
    void layoutSeenByOpenpyxl()
    {
        QFETCH(int, count);
        QFETCH(QString, unit);

        std::unique_ptr<ItemData> item(itemWithReadings(count, unit));
        const auto model = tableOf(item.get());
        const QString file = dir.filePath(QStringLiteral("layout-%1-%2.xlsx").arg(count).arg(unit));
        WorkbookWriter writer = readingWriter();
        QVERIFY2(writer.write(file, *model), qPrintable(writer.errorString()));

        const QJsonObject book = openpyxl(file);
        const QJsonArray rows = book.value("rows").toArray();
        QCOMPARE(rows.size(), count + 1);
        const QStringList header{"No.", "Time", "Value", "Unit", "Basis"};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(rows.at(0).toArray().at(c).toArray().at(1).toString(), header.at(c));
        for (int r = 0; r < count; ++r) {
            const QJsonArray cells = rows.at(r + 1).toArray();
            QCOMPARE(cells.at(0).toArray().at(0).toString(), QString("int"));
            QCOMPARE(cells.at(0).toArray().at(1).toInt(), r + 1);
            QCOMPARE(cells.at(1).toArray().at(0).toString(), QString("datetime"));
            QCOMPARE(cells.at(1).toArray().at(2).toString(), QString("yyyy-mm-dd hh:mm:ss"));
            for (int c = 1; c < 5; ++c)
                QCOMPARE(cells.at(c).toArray().at(1).toString(), model->index(r, c).data().toString());
            for (int c = 2; c < 5; ++c) {
                QCOMPARE(cells.at(c).toArray().at(0).toString(), QString("str"));
                QCOMPARE(cells.at(c).toArray().at(2).toString(), QString("@"));
            }
        }
        if (count > 2) {
            QCOMPARE(rows.at(2).toArray().at(2).toArray().at(1).toString(), QString("   -OL"));
            QCOMPARE(rows.at(3).toArray().at(2).toArray().at(1).toString(), QString("    OL"));
            QCOMPARE(rows.at(1).toArray().at(3).toArray().at(1).toString(), unit);
        }
        // Sized to the contents: the time column fits its 19 characters.
        const QJsonObject widths = book.value("widths").toObject();
        QVERIFY(widths.value("B").toDouble() >= (count ? 19 : 4));
        QVERIFY(widths.value("A").toDouble() >= 3);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("unit");

        QTest::newRow("micrometres") << "um";
        QTest::newRow("mils") << "mil";
    }

    // Read back, the readings show the same table: times to the second,
    // value texts, unit and basis.
    void roundTrip()
    {
        QFETCH(QString, unit);

        std::unique_ptr<ItemData> item(itemWithReadings(12, unit));
        const auto model = tableOf(item.get());
        const QString file = dir.filePath(QStringLiteral("round-trip-%1.xlsx").arg(unit));
        WorkbookWriter writer = readingWriter();
        QVERIFY(writer.write(file, *model));

        WorkbookReader reader(ReadingRow::cellCount);
        QVERIFY2(reader.read(file), qPrintable(reader.errorString()));
        const QVector<SheetGrid::Row> rows = reader.rows();
        QCOMPARE(rows.size(), 13);
        ItemData imported(QStringLiteral("Import1"), ItemData::ImportData);
        for (int r = 1; r < rows.size(); ++r) {
            DmmData *reading = ReadingRow::toReading(rows.at(r));
            QVERIFY(reading);
            QCOMPARE(reading->unit(), unit);
            imported.appendData(reading, false);
        }
        imported.setUnit(unit);
        const auto back = tableOf(&imported);
        for (int r = 0; r < 12; ++r) {
            for (int c = 0; c < 5; ++c)
                QCOMPARE(back->index(r, c).data(), model->index(r, c).data());
        }
    }

    void unwritableTarget()
    {
        std::unique_ptr<ItemData> item(itemWithReadings(3));
        const auto model = tableOf(item.get());
        const QString file = dir.filePath("no-such-folder/readings.xlsx");
        WorkbookWriter writer = readingWriter();
        QVERIFY(!writer.write(file, *model));
        QVERIFY(!writer.errorString().isEmpty());
        QVERIFY(!QFileInfo::exists(file));
    }
};

MERIDO_TEST_MAIN(TestWorkbookWriter)
#include "tst_workbookwriter.moc"
