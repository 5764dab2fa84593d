#pragma once

#include <QVariant>
#include <QVector>

class DmmData;

// One row of an imported workbook in the export's layout: number (ignored),
// time, value text, unit, basis.
class ReadingRow
{
public:
    static constexpr int cellCount = 5;

    // The reading of the row, with no parent, owned by the caller; nullptr
    // when the row has fewer than five cells. The unit is kept as read; it
    // selects micrometres when it reads "um" in any case. A value text with
    // an "L" is an over-range reading, negative with a "-".
    static DmmData *toReading(const QVector<QVariant> &row);
    // Whether the row holds no value at all.
    static bool isBlank(const QVector<QVariant> &row);
};
