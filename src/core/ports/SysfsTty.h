// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What Linux's /sys/class/tty tells about a terminal device. Both answers
// are "" where sysfs has no entry (pseudo-terminals, other systems).
class SysfsTty
{
public:
    explicit SysfsTty(QString root = QStringLiteral("/sys/class/tty"));

    // The bus the port hangs on, upper-cased: USB, PCI, PNP, PLATFORM, ...
    QString bus(const QString &name) const;
    // The kernel driver serving the port: ch341-uart, ftdi_sio, cdc_acm, ...
    QString driver(const QString &name) const;

    // What a Bluetooth serial link (rfcomm) is bound to: the receiver's
    // address ("00:1A:7D:DA:71:13") and its channel; "" for other devices.
    QString rfcommAddress(const QString &name) const;
    QString rfcommChannel(const QString &name) const;

private:
    QString attribute(const QString &name, const QString &file) const;
    QString linkName(const QString &name, const QString &link) const;

    QString m_root;
};
