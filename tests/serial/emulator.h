#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The gauge emulator as a child process, with a transcript of every reading
// line it sent: intact ones as sent, "! " before those it damaged.
class Emulator
{
public:
    explicit Emulator(const QStringList &arguments);
    ~Emulator();

    // Reading lines in order; "# fault" lines are left out unless asked for.
    QStringList transcript(bool withFaults = false) const;
    QStringList intactLines() const;

    QTemporaryDir dir;
    QProcess process;
    QString path; // the pseudo-terminal to open
};
