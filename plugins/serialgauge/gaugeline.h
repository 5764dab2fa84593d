#pragma once

#include <QDateTime>
#include <QString>

// One line of the gauge's serial protocol (docs/serial-protocol.md) as the
// reader parsed it, or as the emulator is about to send it.
struct GaugeLine
{
    enum Type {
        Live,          // LIVE: a reading just taken
        Count,         // MEM: how many stored readings follow
        Stored,        // REC: one reading from the gauge's memory
        End,           // END: the stored readings are complete
        MemoryRequest, // GETMEM: the computer asks for the memory
        Bad            // a line the reader skipped; problem says why
    };

    Type type = Bad;
    // Live and Stored: the reading as the gauge displayed it. valueText is
    // empty and value 0 when overRange is not 0.
    QString valueText;
    double value = 0;
    QString unit;
    QString basis;
    int overRange = 0;
    // Stored: the position in the memory, from 1, and when it was taken.
    int index = 0;
    QDateTime time;
    // Count and End: the number of stored readings.
    int count = 0;
    // Bad: one sentence for the message log, safe to show.
    QString problem;

    bool operator==(const GaugeLine &other) const
    {
        return type == other.type && valueText == other.valueText && value == other.value
            && unit == other.unit && basis == other.basis && overRange == other.overRange
            && index == other.index && time == other.time && count == other.count
            && problem == other.problem;
    }
};
