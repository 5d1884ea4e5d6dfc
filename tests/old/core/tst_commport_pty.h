#pragma once

// The far end of a serial line for the port tests: the master side of a
// pseudo-terminal, raw, kept by the test. The port under test opens the
// slave path.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0)
            return;
        char name[128] = {};
        if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0
            || ::ptsname_r(m_master, name, sizeof name) != 0) {
            hangUp();
            return;
        }
        m_path = QString::fromLocal8Bit(name);
        termios t{};
        if (::tcgetattr(m_master, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(m_master, TCSANOW, &t);
        }
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PseudoTerminal() { hangUp(); }

    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return m_master >= 0 && !m_path.isEmpty(); }
    // Context for timers that act on this terminal: they die with it.
    QObject &context() { return m_context; }
    QString path() const { return m_path; }

    bool send(const QByteArray &bytes)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
            if (n < 0 && errno != EINTR)
                return false;
            if (n > 0)
                done += n;
        }
        return true;
    }

    // Everything the port has written, waiting up to waitMs for it to appear
    // and then until the line stays quiet for a moment.
    QByteArray receive(int waitMs = 1000)
    {
        QByteArray got;
        QDeadlineTimer deadline(waitMs);
        for (;;) {
            pollfd p{m_master, POLLIN, 0};
            const int quietMs = got.isEmpty() ? static_cast<int>(deadline.remainingTime()) : 50;
            if (::poll(&p, 1, quietMs < 0 ? 0 : quietMs) <= 0 || !(p.revents & POLLIN))
                return got;
            char buf[256];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                return got;
            got.append(buf, n);
        }
    }

    // The far end goes away, as when a cable or adapter is pulled.
    void hangUp()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    QString m_path;
    QObject m_context;
};
