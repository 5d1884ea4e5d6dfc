// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyBuilder.h"

namespace ReplyBuilder {

QByteArray lineEnd(bool lfOnly)
{
    return lfOnly ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
}

QByteArray downloadReply(const SimMemories &memories, const SimOptions &options)
{
    const QByteArray end = lineEnd(options.lfOnly);
    const SimLimits &l = options.limits;
    QByteArray r;
    r.reserve(128 + memories.storedCount() * 40);
    r += "r:" + QByteArray::number(options.rValue) + end;
    r += "v:" + options.vText + end;
    r += "m:" + QByteArray::number(memories.count()) + end;
    r += "s:" + QByteArray::number(options.sValue) + end;
    r += "o:" + QByteArray::number(options.oValue) + end;
    r += "a:" + QByteArray::number(l.amMin) + ',' + QByteArray::number(l.amMax) + end;
    r += "f:" + QByteArray::number(l.fmMin) + ',' + QByteArray::number(l.fmMax) + end;
    for (const int n : memories.storedNumbers())
        r += memories.channel(n).memoryLine(n) + end;
    return r;
}

QByteArray statusReply(quint16 status, bool lfOnly)
{
    return "S:" + QByteArray::number(status) + lineEnd(lfOnly);
}

QByteArray clockReply(const QTime &time, bool lfOnly)
{
    const QByteArray t = time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")).toLatin1()
                                        : QByteArrayLiteral("ERR");
    return "T:" + t + lineEnd(lfOnly);
}

QByteArray garbageLine(bool lfOnly)
{
    static const char junk[] = "\x00\x1b\xfe\xff#~?*=garbage=\x7f\x01";
    return QByteArray(junk, sizeof junk - 1) + lineEnd(lfOnly);
}

} // namespace ReplyBuilder
