#include "updatethrottle.h"

UpdateThrottle::UpdateThrottle(int intervalMs, std::function<void()> action, QObject *parent)
    : QObject(parent)
    , intervalMs(intervalMs)
    , action(std::move(action))
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &UpdateThrottle::run);
}

void UpdateThrottle::request()
{
    if (timer.isActive())
        return;
    const qint64 wait = sinceRun.isValid() ? intervalMs - sinceRun.elapsed() : 0;
    timer.start(int(qBound<qint64>(0, wait, intervalMs)));
}

void UpdateThrottle::run()
{
    sinceRun.start();
    action();
}
