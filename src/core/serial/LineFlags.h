// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The flag properties of a port and the 32-bit flags word of the
// device-control record they travel in.
struct LineFlags
{
    enum Bit : quint32 {
        Binary = 1u << 0,            // always written, ignored when read
        ParityCheck = 1u << 1,
        CtsOutFlow = 1u << 2,
        DsrOutFlow = 1u << 3,
        DtrControlLow = 1u << 4,
        DtrControlHigh = 1u << 5,
        DsrSensitive = 1u << 6,
        XoffContinuesTx = 1u << 7,
        XonOffOut = 1u << 8,
        XonOffIn = 1u << 9,
        ErrorReplace = 1u << 10,
        NullStrip = 1u << 11,
        RtsControlLow = 1u << 12,
        RtsControlHigh = 1u << 13,
        AbortOnError = 1u << 14,
    };

    // DTR control: 0 off, 1 on, 2 handshake. RTS control: 0 off, 1 on,
    // 2 handshake, 3 toggle.
    enum ControlCode : quint8 { ControlOff = 0, ControlOn = 1, ControlHandshake = 2, ControlToggle = 3 };

    bool enableParity = false;
    bool ctsFlow = false;
    bool dsrFlow = false;
    quint8 dtrControl = 0;
    bool dsrSensitive = false;
    bool xoffContinuesTx = false;
    bool xonOffOut = false;
    bool xonOffIn = false;
    bool errorReplace = false;
    bool nullStrip = false;
    quint8 rtsControl = 0;
    bool abortOnError = false;

    // The parity bit follows whether a parity is chosen, not enableParity:
    // a parity without checking makes no sense on the line.
    quint32 toWord(bool parityChosen) const;
    static LineFlags fromWord(quint32 word);
};
