// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/Bands.h"
#include "memlist/MemoryEntry.h"

#include <QString>
#include <QVector>

// A memory file read for use: by the load rules into a table of the size a
// count rule gives, or the reason it cannot be used. The window and the
// terminal program read files through this alone.
namespace MemoryFile {

// How many channels the file is read into.
enum class Count {
    Table,         // the memory count given (the window's list)
    FileLines,     // as many as the file has channel lines
    AtLeastTable,  // the memory count given, more for a longer file
};

enum class Status {
    Loaded,
    Missing,        // no such file
    NotRegular,     // a folder, a device, a pipe
    Unreadable,     // there, but it cannot be read
    NoLines,        // no line ended by CR LF: nothing to load (an empty file too)
    NotCompatible,  // the header is not a memory file's
    Invalid,        // a channel line was refused
};

struct Read {
    Status status = Status::Missing;
    // Why, as one sentence without framing blanks; empty when loaded.
    QString message;
    // Loaded: the whole new table of `count` channels.
    QVector<MemoryEntry> entries;
    qint16 count = 0;
    // Channel lines the file has.
    int lines = 0;
};

Read read(const QString &path, Count count, qint16 memoryCount, const Bands::Limits &limits);

} // namespace MemoryFile
