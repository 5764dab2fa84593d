// The workbook export and the Import command of the main window.
#include "app/widget.h"
#include "ui_widget.h"

#include "device/dmmdata.h"
#include "items/datamodel.h"
#include "items/tvitemmodel.h"
#include "reports/readingrow.h"
#include "reports/workbookreader.h"
#include "reports/workbookwriter.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {
bool isImportItem(const QModelIndex &index)
{
    const auto *item = index.data(TvItemModel::ItemDataRole).value<ItemData *>();
    return item && item->name().startsWith(QLatin1String("Import"));
}
}

void Widget::exportExcel()
{
    QString fileName = QFileDialog::getSaveFileName(this, tr("Export the datas to a excel file."), QString(),
                                                    QStringLiteral("Excel File(*.xlsx)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".xlsx");
    WorkbookWriter writer({QStringLiteral("No."), QStringLiteral("Time"), QStringLiteral("Value"),
                           QStringLiteral("Unit"), QStringLiteral("Basis")},
                          {WorkbookWriter::Number, WorkbookWriter::DateTime, WorkbookWriter::Text,
                           WorkbookWriter::Text, WorkbookWriter::Text});
    const bool written = writer.write(fileName, *dataModel);
    QMessageBox::information(this, QString(),
                             written ? tr("The datas is exported successfully.") : tr("The datas is exported failed."));
}

void Widget::on_actionImport_triggered()
{
    importExcel();
}

void Widget::importExcel()
{
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Import the datas from a excel file."), QString(),
                                                          QStringLiteral("Excel File(*.xlsx *.xls)"));
    if (fileName.isEmpty())
        return;

    ui->tvItems->setEnabled(false);
    WorkbookReader reader(ReadingRow::cellCount);
    if (!reader.read(fileName)) {
        ui->tvItems->setEnabled(true);
        QMessageBox::information(this, QString(), tr("The datas is imported failed."));
        return;
    }

    int counter = 1;
    for (int row = 0; row < itemModel->rowCount(); ++row) {
        const QModelIndex group = itemModel->index(row, 0);
        counter += isImportItem(group);
        for (int child = 0; child < itemModel->rowCount(group); ++child)
            counter += isImportItem(itemModel->index(child, 0, group));
    }
    newItem(QStringLiteral("Import%1").arg(counter), ItemData::ImportData);

    // The first row is the header. A blank row is no reading: a sheet may
    // span a million of them. A row too short to be a reading ends the
    // import; what came before it stays.
    const QVector<SheetGrid::Row> rows = reader.rows();
    bool complete = true;
    for (int row = 1; row < rows.size() && complete; ++row) {
        if (ReadingRow::isBlank(rows.at(row)))
            continue;
        DmmData *reading = ReadingRow::toReading(rows.at(row));
        if (reading)
            activeItem->appendData(reading, false);
        complete = reading != nullptr;
    }

    ui->tvItems->setEnabled(true);
    const QList<DmmData *> readings = activeItem->dataList();
    if (!readings.isEmpty())
        activeItem->setUnit(readings.last()->unit());
    activeItem->updateStatistics();
    refreshItemView();
    QMessageBox::information(this, QString(),
                             complete ? tr("The datas is imported successfully.") : tr("The datas is imported failed."));
}
