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

#else

// Elsewhere QSerialPort reports a vanished device through its errors.
qint64 unreadBytes(qintptr) { return 0; }
qint64 unsentBytes(qintptr) { return 0; }
bool hungUp(qintptr handle) { return handle == 0 || handle == -1; }

#endif

} // namespace SerialHandle
