// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program keeps the user's files. A copy whose folder the user can
// write (a build tree, a portable copy) keeps them beside itself; an
// installed copy, whose folder belongs to the system, in the user's folders.
namespace UserFolders {

// $XDG_DATA_HOME/presetta (~/.local/share/presetta when unset).
QString dataFolder();

bool programFolderWritable();

// The memory file loaded at start: beside a writable copy, named like the
// program; for an installed copy $XDG_DATA_HOME/presetta/presetta.csv.
QString autoLoadFile();

// The folder the save dialog starts in before any is remembered, ending with
// a separator: the program's folder when writable, else the documents folder
// (the home folder when there is none).
QString firstSaveFolder();

} // namespace UserFolders
