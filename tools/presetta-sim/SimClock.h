// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QTime>

#include <optional>

// The receiver's clock: runs from the time last set, or from the computer's
// local time until the first "$time: " command.
class SimClock
{
public:
    static bool isClockCommand(const QByteArray &line) { return line.startsWith("$time:"); }
    // "$time: HH:NN:SS" exactly, 24-hour; anything else gives nothing.
    static std::optional<QTime> parseCommand(const QByteArray &line);

    void set(const QTime &time);
    bool isSet() const { return m_set.isValid(); }
    QTime now() const;

private:
    QTime m_set;
    QElapsedTimer m_since;
};
