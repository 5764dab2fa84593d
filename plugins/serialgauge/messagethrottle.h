#pragma once

#include <QObject>
#include <QTimer>

// Passes messages on, at most maxPerWindow in each window of windowMs; the
// rest are counted and summed up in one message when the window ends. A
// line carrying noise can otherwise fill the message log faster than the
// window can show it.
class MessageThrottle : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxPerWindow = 100;
    static constexpr int windowMs = 1000;

    explicit MessageThrottle(QObject *parent = nullptr);

    void post(const QString &text);

signals:
    void message(QString text);

private:
    void endWindow();

    QTimer window;
    int passed = 0;
    int held = 0;
};
