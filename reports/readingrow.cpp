#include "readingrow.h"

#include "device/dmmdata.h"

#include <QDateTime>

#include <algorithm>

namespace {
const double micrometresPerMil = 25.4;
const QString negativeOverRange = QStringLiteral("   -OL");
const QString overRange = QStringLiteral("    OL");

QDateTime timeOf(const QVariant &cell)
{
    // Excel turns the exported time text into a date-time; a cell that is
    // still text is read in the export's format first.
    if (cell.type() == QVariant::String) {
        const QDateTime time = QDateTime::fromString(cell.toString(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (time.isValid())
            return time;
    }
    return cell.toDateTime();
}
}

bool ReadingRow::isBlank(const QVector<QVariant> &row)
{
    return std::none_of(row.cbegin(), row.cend(), [](const QVariant &cell) { return cell.isValid(); });
}

DmmData *ReadingRow::toReading(const QVector<QVariant> &row)
{
    if (row.size() < cellCount)
        return nullptr;
    const QString text = row.at(2).toString();
    const QString unit = row.at(3).toString();
    auto *reading = new DmmData;
    reading->setTime(timeOf(row.at(1)));
    reading->setUnit(unit);
    reading->setBasis(row.at(4).toString());
    if (text.contains(QLatin1Char('L'))) {
        const bool negative = text.contains(QLatin1Char('-'));
        const QString shown = negative ? negativeOverRange : overRange;
        reading->setTextUm(shown);
        reading->setTextMil(shown);
        reading->setOverRange(negative ? -1 : 1);
    } else if (unit.toLower() == QLatin1String("um")) {
        const double value = text.toDouble();
        reading->setValueUm(value);
        reading->setValueMil(value / micrometresPerMil);
        reading->setTextUm(text);
        reading->setTextMil(QString::number(value / micrometresPerMil, 'f', 2));
    } else {
        const double value = text.toDouble();
        reading->setValueUm(value * micrometresPerMil);
        reading->setValueMil(value);
        reading->setTextUm(QString::number(value * micrometresPerMil, 'f', 0));
        reading->setTextMil(text);
    }
    return reading;
}
