#include "itemdata.h"

#include "device/dmmdata.h"

namespace {
const double overRangeLimit = 1250;
}

ItemData::ItemData(const QString &name, DataType type, QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_statistics(new ItemStatistics)
    , m_type(type)
{
}

ItemData::~ItemData()
{
    qDeleteAll(m_dataList);
    m_dataList.clear();
    delete m_statistics;
}

double ItemData::valueIn(const DmmData *data, const QString &unit)
{
    return unit == QLatin1String("um") ? data->valueUm() : data->valueMil();
}

void ItemData::appendData(DmmData *data, bool update)
{
    m_dataList.append(data);
    if (update)
        updateStatistics();
}

void ItemData::clearData()
{
    qDeleteAll(m_dataList);
    m_dataList.clear();
    *m_statistics = ItemStatistics();
    resetRunningTotals();
}

void ItemData::resetRunningTotals()
{
    m_summed = 0;
    m_sum = 0;
    m_min = 0;
    m_max = 0;
}

void ItemData::updateStatistics()
{
    if (m_summedUnit != m_unit) {
        resetRunningTotals();
        m_summedUnit = m_unit;
    }
    if (m_summed == 0 && !m_dataList.isEmpty())
        m_min = m_max = valueIn(m_dataList.first(), m_unit);
    for (; m_summed < m_dataList.size(); ++m_summed) {
        const double value = valueIn(m_dataList.at(m_summed), m_unit);
        m_sum += value;
        if (value <= m_min)
            m_min = value;
        if (value > m_max)
            m_max = value;
    }
    const double average = m_summed > 0 ? m_sum / m_summed : 0.0;
    m_statistics->count = m_summed;
    m_statistics->average = formatValue(average);
    m_statistics->minimum = formatValue(m_min);
    m_statistics->maximum = formatValue(m_max);
}

QString ItemData::formatValue(double value) const
{
    if (value < 0)
        return QStringLiteral("-OL");
    if (value > overRangeLimit)
        return QStringLiteral(" OL");
    return QString::number(value, 'f', m_unit == QLatin1String("um") ? 1 : 2);
}
