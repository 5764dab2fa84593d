#include "storedownload.h"

#include "gaugeline.h"

StoreDownload::StoreDownload(QObject *parent)
    : QObject(parent)
{
    silence.setSingleShot(true);
    silence.setInterval(silenceMs);
    connect(&silence, &QTimer::timeout, this, &StoreDownload::timedOut);
}

void StoreDownload::start()
{
    state = State::AwaitingCount;
    silence.start();
}

void StoreDownload::stop()
{
    state = State::Idle;
    silence.stop();
}

bool StoreDownload::isRunning() const
{
    return state != State::Idle;
}

void StoreDownload::take(const GaugeLine &line)
{
    if (state == State::Idle)
        return;
    silence.start();
    switch (line.type) {
    case GaugeLine::Count:
        takeCount(line.count);
        break;
    case GaugeLine::Stored:
        takeStored(line);
        break;
    case GaugeLine::End:
        takeEnd(line.count);
        break;
    default:
        break;
    }
}

void StoreDownload::takeCount(int count)
{
    state = State::Receiving;
    total = count;
    lastIndex = 0;
    received = 0;
    nextReport = qMax(1, total / 100);
    report(0);
}

void StoreDownload::takeStored(const GaugeLine &line)
{
    // Until the count arrives these belong to a dump the gauge abandoned.
    if (state != State::Receiving)
        return;
    if (line.index <= lastIndex || line.index > total) {
        emit message(tr("Skipped stored reading %1: out of sequence.").arg(line.index));
        return;
    }
    lastIndex = line.index;
    ++received;
    emit stored(line);
    if (lastIndex >= nextReport && lastIndex < total) {
        report(lastIndex);
        nextReport = lastIndex + qMax(1, total / 100);
    }
}

void StoreDownload::takeEnd(int count)
{
    if (state != State::Receiving) {
        stop();
        emit message(tr("The gauge's memory arrived without its count; download again."));
        return;
    }
    stop();
    if (count != total)
        emit message(tr("The gauge announced %1 stored readings but ended at %2.").arg(total).arg(count));
    if (received < total)
        emit message(tr("%1 of %2 stored readings were damaged in transfer and skipped; "
                        "download again to get them.")
                         .arg(total - received)
                         .arg(total));
    // An empty memory was complete with its count already.
    if (reported != total)
        report(total);
}

void StoreDownload::report(int pos)
{
    reported = pos;
    emit progress(total, pos);
}

void StoreDownload::timedOut()
{
    const bool counted = state == State::Receiving;
    stop();
    if (counted)
        emit message(tr("The gauge stopped sending its memory after %1 of %2 readings.")
                         .arg(lastIndex)
                         .arg(total));
    else
        emit message(tr("The gauge did not answer the request for its memory."));
}
