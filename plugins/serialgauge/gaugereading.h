#pragma once

class DmmData;
class QDateTime;
struct GaugeLine;

// Turns a reading line into the application's record.
class GaugeReading
{
public:
    // A new record without a parent; the caller owns it. The unit the gauge
    // sent keeps its text as sent; the other unit is converted and written
    // the way the gauge's display would write it.
    static DmmData *create(const GaugeLine &line, const QDateTime &time);
};
