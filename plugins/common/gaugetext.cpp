#include "gaugetext.h"

QString GaugeText::um(double um)
{
    return QString::number(um, 'f', 0);
}

QString GaugeText::mil(double mil)
{
    return QString::number(mil, 'f', 2);
}

QString GaugeText::overRange(int overRange)
{
    return overRange < 0 ? QStringLiteral("   -OL") : QStringLiteral("    OL");
}
