#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Looks at the computer's serial ports about once a second and emits changed()
// when the set differs from the last look: a USB gauge plugged in or pulled
// out. A port given by MERIDO_SERIAL_PORT counts while its path exists, so a
// pseudo-terminal coming and going is seen too.
class PortWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int intervalMs = 1000;

    explicit PortWatcher(QObject *parent = nullptr);

    // The port path set by MERIDO_SERIAL_PORT, or empty.
    static QString portOverride();

signals:
    void changed();

private:
    static QStringList currentPorts();
    void look();

    QStringList ports = currentPorts();
    QTimer timer;
};
