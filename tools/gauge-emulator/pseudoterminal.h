#pragma once

#include <QString>

// The gauge's end of a pseudo-terminal. The other end, the slave path, is
// what the computer side opens as its serial port. Optionally a symbolic link
// with a fixed name points at the slave path while the terminal is open.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool open(const QString &linkPath, QString *error);
    // Closing the gauge's end hangs up the computer's end.
    void close();

    int fd() const { return master; }
    QString slavePath() const { return slave; }
    // True while some process holds the slave end open.
    bool isListened() const;

private:
    int master = -1;
    QString slave;
    QString link;
};
