// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimMemories.h"

#include <QString>

// The memories kept between runs: one memory line per stored channel, LF
// after each, bytes as they came in.
namespace MemoryStoreFile {

// A missing file loads nothing and is no failure. Lines that do not read
// back, or whose number is outside the memory, are skipped.
bool load(const QString &path, SimMemories &memories, QString *error);
bool save(const QString &path, const SimMemories &memories, QString *error);

} // namespace MemoryStoreFile
