// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimMemories.h"
#include "SimOptions.h"

#include <QByteArray>
#include <QTime>
#include <QtGlobal>

// The receiver's reply texts, with CR LF or LF line ends.
namespace ReplyBuilder {

QByteArray lineEnd(bool lfOnly);

// Reply to "s": r, v, m, s, o, a and f lines, then one line per stored channel.
QByteArray downloadReply(const SimMemories &memories, const SimOptions &options);

// "S:" + status word.
QByteArray statusReply(quint16 status, bool lfOnly);

// "T:HH:NN:SS" with the clock after the command; "T:ERR" when the command
// held no valid time.
QByteArray clockReply(const QTime &time, bool lfOnly);

// A line of junk: control and high bytes, never a key, a memory number or ":".
QByteArray garbageLine(bool lfOnly);

} // namespace ReplyBuilder
