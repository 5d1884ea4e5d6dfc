// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

// The lock that keeps two running programs from interleaving their
// read-modify-write of the settings file. While another program holds it the
// wait sleeps in the event loop; a lock left by a killed program is taken
// over at once (its process is gone).
class StoreLock
{
public:
    explicit StoreLock(const QString &lockFile);
    ~StoreLock();

    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;

    // False when the lock could not be had in time or cannot be created.
    bool acquire();

private:
    static void pause(int ms);

    QLockFile m_lock;
};
