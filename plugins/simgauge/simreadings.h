#pragma once

#include <QDateTime>
#include <QRandomGenerator>
#include <QString>

class DmmData;

// Makes the readings of a gauge held against a coated part: values spread
// around a nominal thickness, now and then one beyond the range.
class SimReadings
{
public:
    explicit SimReadings(quint32 seed, double nominalUm = 120.0);

    // A new record with both unit pairs filled; the caller owns it.
    DmmData *next(const QDateTime &time, const QString &unit, const QString &basis);

private:
    double gaussian();

    QRandomGenerator random;
    double nominalUm;
};
