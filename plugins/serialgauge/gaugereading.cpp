#include "gaugereading.h"

#include "gaugeline.h"

#include "device/dmmdata.h"
#include "plugins/common/gaugetext.h"

DmmData *GaugeReading::create(const GaugeLine &line, const QDateTime &time)
{
    auto *data = new DmmData;
    data->setTime(time);
    data->setUnit(line.unit);
    data->setBasis(line.basis);
    data->setOverRange(line.overRange);
    if (line.overRange != 0) {
        const QString text = GaugeText::overRange(line.overRange);
        data->setValueUm(0);
        data->setValueMil(0);
        data->setTextUm(text);
        data->setTextMil(text);
    } else if (line.unit == QLatin1String("um")) {
        data->setValueUm(line.value);
        data->setTextUm(line.valueText);
        data->setValueMil(line.value / GaugeText::umPerMil);
        data->setTextMil(GaugeText::mil(line.value / GaugeText::umPerMil));
    } else {
        data->setValueMil(line.value);
        data->setTextMil(line.valueText);
        data->setValueUm(line.value * GaugeText::umPerMil);
        data->setTextUm(GaugeText::um(line.value * GaugeText::umPerMil));
    }
    return data;
}
