#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

// One thickness reading of the gauge, in micrometres and in mils, each as a
// number and as the text the gauge displays. The plug-in allocates it without
// a parent and emits it; whoever receives the pointer owns it.
class DmmData : public QObject
{
    Q_OBJECT

public:
    explicit DmmData(QObject *parent = nullptr);

    QDateTime time() const { return m_time; }
    void setTime(const QDateTime &time) { m_time = time; }
    double valueUm() const { return m_valueUm; }
    void setValueUm(double value) { m_valueUm = value; }
    double valueMil() const { return m_valueMil; }
    void setValueMil(double value) { m_valueMil = value; }
    QString textUm() const { return m_textUm; }
    void setTextUm(const QString &text) { m_textUm = text; }
    QString textMil() const { return m_textMil; }
    void setTextMil(const QString &text) { m_textMil = text; }
    // 0 in range, 1 over range ("OL"), -1 negative over range ("-OL").
    void setOverRange(int overRange) { m_overRange = overRange; }
    QString unit() const { return m_unit; }
    void setUnit(const QString &unit) { m_unit = unit; }
    QString basis() const { return m_basis; }
    void setBasis(const QString &basis) { m_basis = basis; }

private:
    QDateTime m_time;
    double m_valueUm = 0;
    double m_valueMil = 0;
    QString m_textUm;
    QString m_textMil;
    qint32 m_overRange = 0;
    QString m_unit;
    QString m_basis;
    // Spare flags a plug-in may give a meaning; the application never reads them.
    quint8 m_spare1 = 0;
    quint8 m_spare2 = 0;
    quint8 m_spare3 = 0;
    bool m_spareFlag = false;
};
