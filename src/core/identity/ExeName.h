// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The running program's file, its folder and the automatic-load file beside
// it. Tests point these at a temporary folder with setProgramPathForTest.
namespace ExeName {

// Full path of the running program file.
QString programPath();
// The program path up to and including its last separator.
QString programDirectory();
// The program path up to and including its last "." (the whole path and a
// "." when the file name has no extension).
QString pathWithoutExtension();
// The program file's name with its extension replaced by "csv".
QString autoLoadFile();

void setProgramPathForTest(const QString &path);

} // namespace ExeName
