// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/SerialHandle.h"

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace SerialHandle {

#if defined(Q_OS_UNIX)

namespace {
qint64 queueCount(qintptr handle, unsigned long request)
{
    if (handle < 0)
        return 0;
    int count = 0;
    if (::ioctl(static_cast<int>(handle), request, &count) != 0 || count < 0)
        return 0;
    return count;
}
} // namespace

qint64 unreadBytes(qintptr handle)
{
    return queueCount(handle, FIONREAD);
}

qint64 unsentBytes(qintptr handle)
{
    return queueCount(handle, TIOCOUTQ);
}

bool hungUp(qintptr handle)
{
    if (handle < 0)
        return true;
    pollfd p{static_cast<int>(handle), POLLIN, 0};
    int r;
    do {
        r = ::poll(&p, 1, 0);
    } while (r < 0 && errno == EINTR);
    if (r < 0)
        return false;   // cannot tell; the read and write paths still notice
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool readLineState(qintptr handle, LineState *state)
{
    termios t{};
    if (handle < 0 || ::tcgetattr(static_cast<int>(handle), &t) != 0)
        return false;
    switch (t.c_cflag & CSIZE) {
    case CS5: state->dataBits = 5; break;
    case CS6: state->dataBits = 6; break;
    case CS7: state->dataBits = 7; break;
    default: state->dataBits = 8; break;
    }
    state->parity = 0;
    if (t.c_cflag & PARENB) {
        const bool odd = (t.c_cflag & PARODD) != 0;
#if defined(CMSPAR)
        if (t.c_cflag & CMSPAR)
            state->parity = odd ? 3 : 4;
        else
#endif
            state->parity = odd ? 1 : 2;
    }
    state->stopCode = (t.c_cflag & CSTOPB) ? 2 : 0;
#if defined(CRTSCTS)
    state->hardwareFlow = (t.c_cflag & CRTSCTS) != 0;
#endif
    state->softwareFlow = (t.c_iflag & (IXON | IXOFF)) != 0;
    return true;
}

#else

bool readLineState(qintptr, LineState *) { return false; }

// Elsewhere QSerialPort reports a vanished device through its errors.
qint64 unreadBytes(qintptr) { return 0; }
qint64 unsentBytes(qintptr) { return 0; }
bool hungUp(qintptr handle) { return handle == 0 || handle == -1; }

#endif

} // namespace SerialHandle
