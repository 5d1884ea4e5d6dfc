// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryTable.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The receiver's answer to the download request: keyed lines and numbered
// memory lines.
namespace DownloadReply {

// Values the reply carries that only the download keeps.
struct Values {
    qint16 r = 0;
    QString v;
    qint32 s = 0;
    qint32 o = 0;
};

// Apply a reply to the table's count, limits and raw memory lines and to
// values. True when the reply carried a memory list (an accepted "m:" with a
// count of 1 or more); the caller then rebuilds the entries from the raw
// lines. Refused values (a count outside 1..32767 or not a number, numbers
// beyond their field, limit lines without two numbers) leave what they would
// have replaced.
bool apply(const QString &reply, MemoryTable &table, Values &values);

// The memory count of an "m:" line's value: a number of 1..32767, else none.
std::optional<qint16> memoryCount(QStringView value);

// The memory number a line begins with ("12," gives 12); 0 when it does not
// begin with a number of 1..maxNumber without leading zeros followed by ",".
int memoryNumber(QStringView line, int maxNumber);

} // namespace DownloadReply
