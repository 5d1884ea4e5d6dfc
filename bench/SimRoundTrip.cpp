#include "SimRoundTrip.h"

#include <QElapsedTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

SimRoundTrip::SimRoundTrip(const QString &devicePath)
{
    m_fd = ::open(devicePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return;
    termios t;
    if (::tcgetattr(m_fd, &t) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    ::cfmakeraw(&t);
    ::tcsetattr(m_fd, TCSANOW, &t);
    ::tcflush(m_fd, TCIOFLUSH);
}

SimRoundTrip::~SimRoundTrip()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

double SimRoundTrip::measure(const QByteArray &command, qint64 replyBytes, int timeOutMs)
{
    if (m_fd < 0)
        return -1;
    QElapsedTimer clock;
    clock.start();
    qsizetype written = 0;
    while (written < command.size()) {
        const ssize_t n = ::write(m_fd, command.constData() + written, size_t(command.size() - written));
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return -1;
        if (n > 0)
            written += n;
    }
    qint64 got = 0;
    char buffer[65536];
    while (got < replyBytes) {
        const qint64 left = timeOutMs - clock.elapsed();
        if (left <= 0)
            return -1;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, int(left)) < 0 && errno != EINTR)
            return -1;
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return -1;
        if (n > 0)
            got += n;
    }
    return double(clock.nsecsElapsed()) / 1e9;
}
