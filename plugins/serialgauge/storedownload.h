#pragma once

#include <QObject>
#include <QTimer>

struct GaugeLine;

// Follows one download of the gauge's memory: the count line, the stored
// readings in order, the end line. It hands on each stored reading, reports
// progress at most once per hundredth of the total (and a final total, total),
// and says in one message what was lost. A download that goes silent ends
// after silenceMs with a message and without the final report.
class StoreDownload : public QObject
{
    Q_OBJECT

public:
    static constexpr int silenceMs = 3000;

    explicit StoreDownload(QObject *parent = nullptr);

    // The request went out: wait for the count. Restarts a running download.
    void start();
    // Ends quietly, as when the gauge is closed.
    void stop();
    bool isRunning() const;
    // Takes a Count, Stored or End line; lines of no running download are
    // left of a cancelled one and ignored.
    void take(const GaugeLine &line);

signals:
    void stored(const GaugeLine &line);
    void progress(int total, int pos);
    void message(QString text);

private:
    enum class State { Idle, AwaitingCount, Receiving };

    void takeCount(int count);
    void takeStored(const GaugeLine &line);
    void takeEnd(int count);
    void timedOut();
    void report(int pos);

    State state = State::Idle;
    int total = 0;
    int lastIndex = 0;
    int received = 0;
    int nextReport = 0;
    int reported = 0;
    QTimer silence;
};
