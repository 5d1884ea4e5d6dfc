// SPDX-License-Identifier: GPL-3.0-or-later
#include "PseudoTerminal.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString errnoText(const char *what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(errno)));
}

// A notifier may be closed from within its own signal: stop it now, delete later.
void retire(QSocketNotifier *&n)
{
    if (!n)
        return;
    n->setEnabled(false);
    n->deleteLater();
    n = nullptr;
}

} // namespace

PseudoTerminal::PseudoTerminal(QObject *parent)
    : QObject(parent)
{
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(QString *error)
{
    close();
    auto failWith = [&](const char *what) {
        if (error)
            *error = errnoText(what);
        close();
        return false;
    };

    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return failWith("posix_openpt");
    if (::grantpt(m_master) != 0)
        return failWith("grantpt");
    if (::unlockpt(m_master) != 0)
        return failWith("unlockpt");
    char name[256];
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        return failWith("ptsname");
    m_path = QString::fromLocal8Bit(name);

    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return failWith("fcntl");

    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_slave < 0)
        return failWith("open slave");
    termios t;
    if (::tcgetattr(m_slave, &t) != 0)
        return failWith("tcgetattr");
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B115200);
    ::cfsetospeed(&t, B115200);
    if (::tcsetattr(m_slave, TCSANOW, &t) != 0)
        return failWith("tcsetattr");

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PseudoTerminal::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PseudoTerminal::onWritable);
    return true;
}

void PseudoTerminal::close()
{
    retire(m_readNotifier);
    retire(m_writeNotifier);
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
    m_out.clear();
}

void PseudoTerminal::write(const QByteArray &bytes)
{
    if (!isOpen() || bytes.isEmpty())
        return;
    m_out += bytes;
    flush();
}

int PseudoTerminal::unreadBySlave() const
{
    int n = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &n) != 0)
        return 0;
    return n;
}

void PseudoTerminal::onReadable()
{
    // Take what is there, a bounded amount per wake-up so writes get their turn.
    QByteArray got;
    char buf[4096];
    while (isOpen() && got.size() < 65536) {
        const ssize_t r = ::read(m_master, buf, sizeof buf);
        if (r > 0) {
            got.append(buf, r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // EIO or end of file: nothing more will come; a silent notifier
        // would otherwise fire for ever.
        retire(m_readNotifier);
        if (!got.isEmpty())
            emit bytesReceived(got);
        fail(r < 0 ? errnoText("read") : QStringLiteral("read: end of file"));
        return;
    }
    if (!got.isEmpty())
        emit bytesReceived(got);
}

void PseudoTerminal::onWritable()
{
    flush();
}

void PseudoTerminal::flush()
{
    while (isOpen() && !m_out.isEmpty()) {
        const ssize_t w = ::write(m_master, m_out.constData(), static_cast<size_t>(m_out.size()));
        if (w > 0) {
            m_out.remove(0, w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Nobody reads: the bytes wait until the program takes some.
            if (m_writeNotifier)
                m_writeNotifier->setEnabled(true);
            return;
        }
        fail(errnoText("write"));
        return;
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
    if (isOpen())
        emit allWritten();
}

void PseudoTerminal::fail(const QString &why)
{
    retire(m_writeNotifier);
    m_out.clear();
    emit failed(why);
}
