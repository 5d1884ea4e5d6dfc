// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSerialPort>
#include <QString>

// Why a serial port would not open, in words a user can act on. The device
// itself is not touched: opening it to find out would reset many boards.
namespace PortProblem {

enum class Kind { Gone, NotThere, NotSerial, NoPermission, Busy, Other };

struct Diagnosis {
    Kind kind = Kind::Other;
    QString text;   // one or two sentences, without the message box's framing
};

// Where the device path came from: the port list (a port that is missing
// now has gone) or the user's own typing (a missing one was never there).
enum class Source { Listed, Typed };

// path: the device; label: the port as the user knows it ("ttyUSB0");
// error and errorText: what the failed open reported.
Diagnosis diagnose(const QString &path, const QString &label, Source source,
                   QSerialPort::SerialPortError error, const QString &errorText);

// Lock files that serial programs take, as "LCK..<name>" in these folders.
QStringList lockFolders();

} // namespace PortProblem
