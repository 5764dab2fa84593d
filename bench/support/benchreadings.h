#pragma once

#include "device/dmmdata.h"

// The i-th reading of a steady series around 120 um, one a second.
inline DmmData *benchReading(int i)
{
    const double um = 100 + (i * 7919 % 400) / 10.0;
    auto *data = new DmmData;
    data->setTime(QDateTime(QDate(2026, 1, 1), QTime(8, 0)).addSecs(i));
    data->setValueUm(um);
    data->setValueMil(um / 25.4);
    data->setTextUm(QString::number(um, 'f', 0));
    data->setTextMil(QString::number(um / 25.4, 'f', 2));
    data->setUnit(QStringLiteral("um"));
    data->setBasis(QStringLiteral("Fe"));
    return data;
}
