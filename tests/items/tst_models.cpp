#include "device/dmmdata.h"
#include "items/datamodel.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/testsupport.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QFont>
#include <QSignalSpy>

// The reading table model and the item tree model.
class TestModels : public QObject
{
    Q_OBJECT

    static QStringList row(const DataModel &model, int r)
    {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data().toString();
        return cells;
    }

private slots:
    void tableColumns_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("value");

        QTest::newRow("um") << "um" << "127";
        QTest::newRow("mil") << "mil" << "5.00";
        QTest::newRow("UM in capitals") << "UM" << "5.00";
        QTest::newRow("empty") << "" << "5.00";
    }

    void tableColumns()
    {
        QFETCH(QString, unit);
        QFETCH(QString, value);

        ItemData item("Measure1", ItemData::MeasureData);
        item.setUnit(unit);
        item.appendData(makeReading(127, "mil", "NFe", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))), false);
        DataModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setItem(&item);
        model.setDataList(item.dataList());
        // The unit column shows the item's unit, not the reading's own.
        QCOMPARE(row(model, 0), QStringList({"1", "2026-01-02 03:04:05", value, unit, "NFe"}));
        for (int c = 0; c < 5; ++c)
            QCOMPARE(model.index(0, c).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }

    void tableRowsAndHeaders()
    {
        ItemData item("Measure1", ItemData::MeasureData);
        item.setUnit("um");
        DataModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setItem(&item);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 5);
        QStringList headers;
        for (int c = 0; c < 5; ++c)
            headers << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"NO.", "Time", "Value", "Unit", "Basis"}));
        QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
        QVERIFY(!model.headerData(5, Qt::Horizontal).isValid());

        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        model.clearData(); // empty: no signal
        QCOMPARE(removed.count(), 0);

        for (int i = 1; i <= 10; ++i) {
            auto *reading = makeReading(i);
            item.appendData(reading, false);
            QCOMPARE(model.appendData(reading), i);
        }
        QCOMPARE(model.index(9, 0).data().toInt(), 10);
        QVERIFY(!model.index(10, 0).data().isValid());
        QCOMPARE(model.setDataList({}), 10);

        // Reload: the list replaces the rows.
        QCOMPARE(model.setDataList(item.dataList().mid(0, 4)), 4);
        QCOMPARE(model.rowCount(), 4);

        QVERIFY(!model.removeRows(4, 1));
        QVERIFY(model.removeRows(2, 5)); // beyond the end is skipped
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(item.dataList().size(), 10); // the records stay with the item
        model.clearData();
        QCOMPARE(model.rowCount(), 0);
    }

    void treeShowsItemNamesAndActiveNode()
    {
        TvItemModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        ItemData item("Measure1", ItemData::MeasureData);
        auto *node = new QStandardItem("Measure1");
        node->setData(QVariant::fromValue(&item), TvItemModel::ItemDataRole);
        model.appendRow(node);
        model.appendRow(new QStandardItem("no item"));
        const QModelIndex index = node->index();

        item.setName("Tank 3");
        QCOMPARE(index.data().toString(), QString("Tank 3"));
        QCOMPARE(model.index(1, 0).data().toString(), QString());
        QCOMPARE(index.data(Qt::FontRole).value<QFont>().weight(), int(QFont::Normal));
        QVERIFY(!index.data(Qt::ForegroundRole).isValid());

        model.setData(index, true, TvItemModel::ActiveRole);
        QCOMPARE(index.data(Qt::FontRole).value<QFont>().weight(), int(QFont::Bold));
        QCOMPARE(index.data(Qt::ForegroundRole).value<QColor>(), QColor("#d57d00"));
        QCOMPARE(index.data(TvItemModel::ItemDataRole).value<ItemData *>(), &item);
    }

    void editSignalsOnlyAChangedName()
    {
        TvItemModel model;
        ItemData item("Measure1", ItemData::MeasureData);
        auto *node = new QStandardItem("Measure1");
        node->setData(QVariant::fromValue(&item), TvItemModel::ItemDataRole);
        model.appendRow(node);
        QSignalSpy edited(&model, &TvItemModel::editDataChanged);
        model.setData(node->index(), "Measure1", Qt::EditRole);
        model.setData(node->index(), true, TvItemModel::ActiveRole);
        QCOMPARE(edited.count(), 0);
        model.setData(node->index(), "Other", Qt::EditRole);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(node->index().data(Qt::EditRole).toString(), QString("Other"));
    }
};

MERIDO_TEST_MAIN(TestModels)
#include "tst_models.moc"
