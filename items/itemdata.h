#pragma once

#include <QList>
#include <QObject>
#include <QString>

class DmmData;

// The statistics of an item as the readouts show them.
struct ItemStatistics
{
    int count = 0;
    QString average = QStringLiteral("0");
    QString minimum = QStringLiteral("0");
    QString maximum = QStringLiteral("0");
};

// One measurement item: a named list of readings, which it owns, with its
// display unit and statistics. Items have no parent; the main window deletes
// them.
class ItemData : public QObject
{
    Q_OBJECT

public:
    enum DataType { LiveData = 0, MeasureData = 1, ImportData = 2, StoreData = 3 };
    Q_ENUM(DataType)

    ItemData(const QString &name, DataType type, QObject *parent = nullptr);
    ~ItemData() override;

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    // "um" selects the micrometre values of the readings, anything else mils.
    QString unit() const { return m_unit; }
    void setUnit(const QString &unit) { m_unit = unit; }
    DataType type() const { return m_type; }
    QList<DmmData *> dataList() const { return m_dataList; }
    ItemStatistics *statistics() const { return m_statistics; }

    // Takes ownership of the reading.
    void appendData(DmmData *data, bool update);
    void clearData();
    void updateStatistics();
    QString formatValue(double value) const;

    // The value of a reading in the given unit.
    static double valueIn(const DmmData *data, const QString &unit);

private:
    void resetRunningTotals();

    QString m_name;
    QList<DmmData *> m_dataList;
    ItemStatistics *m_statistics;
    QString m_unit;
    DataType m_type;

    // Running totals over the first m_summed readings, taken in m_summedUnit and
    // in list order, so that an update after an append costs O(1) and gives the
    // same results as a recount of every reading.
    int m_summed = 0;
    QString m_summedUnit;
    double m_sum = 0;
    double m_min = 0;
    double m_max = 0;
};
