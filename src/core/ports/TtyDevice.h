// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>

// Whether a path is a terminal device, decided from the file's device
// number alone: opening a serial port to ask would raise DTR and can reset
// the board behind it.
namespace TtyDevice {

// Major numbers of the terminal drivers listed in a /proc/devices text.
QSet<int> terminalMajors(const QString &procDevices);

// A character device served by a terminal driver. Where the driver list
// cannot be read, any character device counts.
bool isTerminal(const QString &path, const QString &procDevicesFile = QStringLiteral("/proc/devices"));

} // namespace TtyDevice
