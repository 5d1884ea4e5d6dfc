#pragma once

#include "memlist/MemoryEntry.h"

#include <QString>

namespace EntryCommand {

// "S" + n + "," + frequency + "," + bandwidth + "," + stereo + "," + PI
// without blanks at either end + "," + name without trailing blanks + LF.
QString entryCommand(int n, const MemoryEntry &e);

} // namespace EntryCommand
