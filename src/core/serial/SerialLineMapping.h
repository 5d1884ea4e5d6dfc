// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial/DeviceControlBlock.h"

class QSerialPort;

// Moves the device-control record onto an open QSerialPort and reads the
// device's view back into it: the character format and flow control as the
// line really runs them. What QSerialPort cannot express (DSR flow, DTR
// control, the special characters, the XON/XOFF limits) stays in the record
// as it was written.
namespace SerialLineMapping {

// False when the port is closed or refuses a value. The line may then be
// configured in part; the caller closes it.
bool apply(QSerialPort &port, const DeviceControlBlock &record);

// False, leaving the record alone, when the port is closed.
bool read(const QSerialPort &port, DeviceControlBlock &record);

} // namespace SerialLineMapping
