// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// What the operating system knows about an open serial device beyond what
// QSerialPort tells: the kernel's queue counts and whether the line is hung
// up. Handles are QSerialPort::handle() values.
namespace SerialHandle {

// Bytes received by the kernel and not yet read; 0 when unknown.
qint64 unreadBytes(qintptr handle);
// Bytes written but not yet sent by the kernel; 0 when unknown.
qint64 unsentBytes(qintptr handle);
// True when the device has gone: the far end of a pseudo-terminal closed, an
// adapter was pulled, or the handle is no longer valid. Modem-status queries
// are no use for this: pseudo-terminals refuse them although they are there.
bool hungUp(qintptr handle);

// The character format and flow control the line really runs with. Drivers
// quietly replace what they cannot do (a pseudo-terminal always runs 8 data
// bits without parity), so this is read from the device, not remembered.
struct LineState {
    quint8 dataBits = 8;
    quint8 parity = 0;      // 0 none, 1 odd, 2 even, 3 mark, 4 space
    quint8 stopCode = 0;    // 0 one, 2 two
    bool hardwareFlow = false;
    bool softwareFlow = false;
};
// False when the device cannot tell (or on platforms where QSerialPort's own
// view is all there is).
bool readLineState(qintptr handle, LineState *state);

} // namespace SerialHandle
