// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/LineFlags.h"

namespace {
quint32 bitIf(bool on, quint32 bit) { return on ? bit : 0u; }
bool has(quint32 word, quint32 bit) { return (word & bit) != 0; }
} // namespace

quint32 LineFlags::toWord(bool parityChosen) const
{
    quint32 w = Binary;
    w |= bitIf(parityChosen, ParityCheck);
    w |= bitIf(ctsFlow, CtsOutFlow);
    w |= bitIf(dsrFlow, DsrOutFlow);
    w |= bitIf(dtrControl & 1u, DtrControlLow);
    w |= bitIf(dtrControl & 2u, DtrControlHigh);
    w |= bitIf(dsrSensitive, DsrSensitive);
    w |= bitIf(xoffContinuesTx, XoffContinuesTx);
    w |= bitIf(xonOffOut, XonOffOut);
    w |= bitIf(xonOffIn, XonOffIn);
    w |= bitIf(errorReplace, ErrorReplace);
    w |= bitIf(nullStrip, NullStrip);
    w |= bitIf(rtsControl & 1u, RtsControlLow);
    w |= bitIf(rtsControl & 2u, RtsControlHigh);
    w |= bitIf(abortOnError, AbortOnError);
    return w;
}

LineFlags LineFlags::fromWord(quint32 word)
{
    LineFlags f;
    f.enableParity = has(word, ParityCheck);
    f.ctsFlow = has(word, CtsOutFlow);
    f.dsrFlow = has(word, DsrOutFlow);
    f.dtrControl = static_cast<quint8>((has(word, DtrControlLow) ? 1 : 0) + (has(word, DtrControlHigh) ? 2 : 0));
    f.dsrSensitive = has(word, DsrSensitive);
    f.xoffContinuesTx = has(word, XoffContinuesTx);
    f.xonOffOut = has(word, XonOffOut);
    f.xonOffIn = has(word, XonOffIn);
    f.errorReplace = has(word, ErrorReplace);
    f.nullStrip = has(word, NullStrip);
    f.rtsControl = static_cast<quint8>((has(word, RtsControlLow) ? 1 : 0) + (has(word, RtsControlHigh) ? 2 : 0));
    f.abortOnError = has(word, AbortOnError);
    return f;
}
