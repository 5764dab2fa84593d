#include "simreadings.h"

#include "device/dmmdata.h"
#include "plugins/common/gaugetext.h"

#include <QtMath>

namespace {
const double gaugeMaxUm = 1250.0;
}

SimReadings::SimReadings(quint32 seed, double nominalUm)
    : random(seed), nominalUm(nominalUm)
{
}

double SimReadings::gaussian()
{
    // Box-Muller.
    const double u1 = 1.0 - random.generateDouble();
    const double u2 = random.generateDouble();
    return qSqrt(-2.0 * qLn(u1)) * qCos(2.0 * M_PI * u2);
}

DmmData *SimReadings::next(const QDateTime &time, const QString &unit, const QString &basis)
{
    auto *data = new DmmData;
    data->setTime(time);
    data->setUnit(unit);
    data->setBasis(basis);

    // About one reading in a hundred is taken off the part or on a thick spot.
    const quint32 roll = random.bounded(200u);
    if (roll == 0 || roll == 1) {
        const bool negative = roll == 0;
        data->setOverRange(negative ? -1 : 1);
        data->setValueUm(0);
        data->setValueMil(0);
        const QString text = GaugeText::overRange(negative ? -1 : 1);
        data->setTextUm(text);
        data->setTextMil(text);
        return data;
    }
    double um = nominalUm + 0.08 * nominalUm * gaussian();
    um = qBound(0.0, double(qRound(um)), gaugeMaxUm);
    data->setOverRange(0);
    data->setValueUm(um);
    data->setValueMil(um / GaugeText::umPerMil);
    data->setTextUm(GaugeText::um(um));
    data->setTextMil(GaugeText::mil(um / GaugeText::umPerMil));
    return data;
}
