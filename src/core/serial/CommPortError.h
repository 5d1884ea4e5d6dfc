// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <string>

// The one failure report of the serial port object. It is thrown only after
// the port has been closed and its poll stopped, so whoever catches it finds
// the object in a settled state.
class CommPortError : public std::exception
{
public:
    // 0x800403E9: 1001 above the base of user-defined error numbers.
    static constexpr qint32 kNumber = -2147220503;

    CommPortError(const QString &source, const QString &description);

    qint32 number() const { return kNumber; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    QString m_source;
    QString m_description;
    std::string m_what;
};
