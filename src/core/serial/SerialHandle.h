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

} // namespace SerialHandle
