#include "pseudoterminal.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(const QString &linkPath, QString *error)
{
    int slaveFd = -1;
    char name[256] = {};
    if (openpty(&master, &slaveFd, name, nullptr, nullptr) < 0) {
        *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Raw, so that nothing is echoed or translated before the computer side
    // sets its own mode. The slave end is closed again: while nobody holds it
    // the master reports a hang-up, which is how the emulator knows whether
    // anyone listens.
    termios mode{};
    tcgetattr(slaveFd, &mode);
    cfmakeraw(&mode);
    tcsetattr(slaveFd, TCSANOW, &mode);
    ::close(slaveFd);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    slave = QString::fromLocal8Bit(name);

    if (!linkPath.isEmpty()) {
        // Replaces a link left by an emulator that was killed, nothing else.
        if (QFileInfo(linkPath).isSymLink())
            QFile::remove(linkPath);
        if (!QFile::link(slave, linkPath)) {
            *error = QStringLiteral("cannot create the link %1").arg(linkPath);
            close();
            return false;
        }
        link = linkPath;
    }
    return true;
}

void PseudoTerminal::close()
{
    if (!link.isEmpty())
        QFile::remove(link);
    link.clear();
    if (master >= 0)
        ::close(master);
    master = -1;
}

bool PseudoTerminal::isListened() const
{
    pollfd p{master, POLLIN, 0};
    return master >= 0 && ::poll(&p, 1, 0) >= 0 && !(p.revents & POLLHUP);
}
