// Live recording: Start, Stop, the Test action, and the road of one live
// reading into the active item and every view of it.
#include "app/widget.h"
#include "ui_widget.h"

#include "charts/chartpoint.h"
#include "charts/dmmchart.h"
#include "charts/histogram.h"
#include "charts/updatethrottle.h"
#include "device/dmmdata.h"
#include "device/interfaces.h"
#include "items/datamodel.h"

#include <QRandomGenerator>

void Widget::on_actionStart_triggered()
{
    if (storeDataItem() == activeItem)
        return;
    running = true;
    ui->actionStart->setEnabled(false);
    ui->actionStop->setEnabled(true);
}

void Widget::on_actionStop_triggered()
{
    running = false;
    ui->actionStart->setEnabled(isGaugeOpen());
    ui->actionStop->setEnabled(false);
}

void Widget::on_actionTest_triggered()
{
    startTimer(500, Qt::CoarseTimer);
}

void Widget::timerEvent(QTimerEvent *)
{
    histogram->addValue(double(QRandomGenerator::global()->bounded(2000)));
}

void Widget::slotDmmDisplay(const DmmData *data)
{
    // A plug-in that emits no record has nothing to show.
    if (!data)
        return;
    auto *reading = const_cast<DmmData *>(data);
    const QString unit = reading->unit();
    if (!running || !activeItem || activeItem->type() != ItemData::MeasureData) {
        delete reading;
        return;
    }
    if (unit != activeItem->unit()) {
        const bool um = unit.toLower() == QLatin1String("um");
        const QString title = um ? tr("Thickness(um)") : tr("Thickness(mil)");
        histogram->setYTitle(title);
        histogram->setDecimals(um ? 1 : 2);
        ui->chart->setYTitle(title);
        ui->chart->setDecimals(um ? 1 : 2);
        activeItem->setUnit(unit);
        // Recording is on here, so refreshItemView() would skip the reload and
        // leave the earlier readings in the old unit beside the new ones.
        reloadItemView();
    }
    activeItem->appendData(reading, true);
    const bool um = unit == QLatin1String("um");
    const double value = um ? reading->valueUm() : reading->valueMil();
    const QString text = um ? reading->textUm() : reading->textMil();
    showReading(reading, value, text);
    ui->lcdValue->setText(text);
    ui->lcdBasis->setText(reading->basis());
    ui->lcdUnit->setText(activeItem->unit());
    refreshStatistics();
}

// The table, histogram and chart take one more reading of the active item.
void Widget::showReading(DmmData *reading, double value, const QString &text)
{
    dataModel->appendData(reading);
    tableScroll->request();
    histogram->addValue(value);
    const QString label = QStringLiteral("%1%2 %3").arg(text, reading->unit(), reading->basis());
    ui->chart->appendPoint(new ChartPoint(value, reading->time(), label), 0);
}
