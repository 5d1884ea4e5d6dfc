// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstddef>

// The 28-byte device-control record the line settings are exchanged through,
// laid out field for field like the Windows communications record, so the
// properties keep their raw values and rules on every platform.
struct DeviceControlBlock
{
    static constexpr quint32 kLength = 28;

    quint32 length = 0;        // always set to 28 before an exchange
    quint32 baudRate = 0;
    quint32 flags = 0;         // see LineFlags
    quint16 reserved = 0;
    quint16 xonLimit = 0;
    quint16 xoffLimit = 0;
    quint8 byteSize = 0;       // data bits
    quint8 parity = 0;         // 0 none, 1 odd, 2 even, 3 mark, 4 space
    quint8 stopBits = 0;       // 0 one, 1 one and a half, 2 two
    quint8 xonChar = 0;
    quint8 xoffChar = 0;
    quint8 errorChar = 0;
    quint8 eofChar = 0;
    quint8 evtChar = 0;
    quint16 reserved1 = 0;
};

static_assert(sizeof(DeviceControlBlock) == DeviceControlBlock::kLength,
              "the record must keep the 28-byte layout");
static_assert(offsetof(DeviceControlBlock, xonLimit) == 14, "record layout");
static_assert(offsetof(DeviceControlBlock, byteSize) == 18, "record layout");
static_assert(offsetof(DeviceControlBlock, evtChar) == 25, "record layout");
