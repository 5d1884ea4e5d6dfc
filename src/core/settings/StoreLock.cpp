// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoreLock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace {
// A write holds the lock for milliseconds; anything older is a leftover.
constexpr int kStaleAfterMs = 10000;
constexpr int kGiveUpAfterMs = 15000;
constexpr int kRetryMs = 5;
} // namespace

StoreLock::StoreLock(const QString &lockFile)
    : m_lock(lockFile)
{
    m_lock.setStaleLockTime(kStaleAfterMs);
}

StoreLock::~StoreLock()
{
    if (m_lock.isLocked())
        m_lock.unlock();
}

bool StoreLock::acquire()
{
    const QDeadlineTimer deadline(kGiveUpAfterMs);
    for (;;) {
        if (m_lock.tryLock(0))
            return true;
        if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        pause(kRetryMs);
    }
}

void StoreLock::pause(int ms)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || app->thread() != QThread::currentThread()) {
        // No event loop to sleep in (a helper without an application object).
        QThread::msleep(static_cast<unsigned long>(ms));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
