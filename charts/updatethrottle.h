#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Runs an action soon after it is requested, but at most once per interval.
// A lone request runs at the next pass of the event loop; a burst of requests
// (readings arriving faster than the screen can follow) runs the action once
// per interval, so the cost of repainting a view does not grow with the number
// of readings a burst brings.
class UpdateThrottle : public QObject
{
    Q_OBJECT

public:
    UpdateThrottle(int intervalMs, std::function<void()> action, QObject *parent = nullptr);

    void request();

private:
    void run();

    int intervalMs;
    std::function<void()> action;
    QTimer timer;
    QElapsedTimer sinceRun;
};
