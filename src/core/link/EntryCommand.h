// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/Bands.h"
#include "memlist/MemoryEntry.h"

#include <QString>

namespace EntryCommand {

// "S" + n + "," + frequency + "," + bandwidth + "," + stereo + "," + PI
// without blanks at either end + "," + name without trailing blanks + LF.
QString entryCommand(int n, const MemoryEntry &e);

// The entry as a download brings it back once an upload stored it: its
// command, through the wire's character set, read as the memory line the
// reply would carry (a name ends at a comma, the PI is right-aligned, the
// band follows from the frequency and limits).
MemoryEntry asReceived(const MemoryEntry &e, const Bands::Limits &limits);

// Whether the receiver's list, as a download shows it, is the same for both:
// empty entries match whatever their text fields (a receiver gives empty
// memories back in its own form), others match when they come back alike.
bool sameOnReceiver(const MemoryEntry &a, const MemoryEntry &b, const Bands::Limits &limits);

} // namespace EntryCommand
