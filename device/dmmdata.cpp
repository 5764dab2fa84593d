#include "dmmdata.h"

DmmData::DmmData(QObject *parent)
    : QObject(parent)
{
}
