#include "messagethrottle.h"

MessageThrottle::MessageThrottle(QObject *parent)
    : QObject(parent)
{
    window.setSingleShot(true);
    window.setInterval(windowMs);
    connect(&window, &QTimer::timeout, this, &MessageThrottle::endWindow);
}

void MessageThrottle::post(const QString &text)
{
    if (!window.isActive())
        window.start();
    if (passed < maxPerWindow) {
        ++passed;
        emit message(text);
    } else {
        ++held;
    }
}

void MessageThrottle::endWindow()
{
    passed = 0;
    if (held == 0)
        return;
    const int count = held;
    held = 0;
    emit message(tr("Skipped %n more damaged line(s) from the gauge.", nullptr, count));
}
