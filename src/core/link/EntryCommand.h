// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryEntry.h"

#include <QString>

namespace EntryCommand {

// "S" + n + "," + frequency + "," + bandwidth + "," + stereo + "," + PI
// without blanks at either end + "," + name without trailing blanks + LF.
QString entryCommand(int n, const MemoryEntry &e);

// Whether the receiver holds the same channel for both: empty entries match
// whatever their text fields (a receiver gives empty memories back in its own
// form), others match when they would go on the wire alike.
bool sameOnReceiver(const MemoryEntry &a, const MemoryEntry &b);

} // namespace EntryCommand
