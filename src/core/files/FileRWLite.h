// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Whole-file text read and write, one byte per character through
// Windows-1252.
namespace mFileRWLite {

// Files above this size are refused by FileRead: a memory file is a few
// kilobytes, and a huge file must not exhaust memory.
constexpr qint64 kMaxReadSize = 64 * 1024 * 1024;

// The whole file as text; "" when it is missing or empty. When the file
// exists but cannot be read, error (if given) gets the reason.
QString FileRead(const QString &path, QString *error = nullptr);

// Write text as the file's whole content. Text that is blank at both ends
// writes nothing and gives false. A regular file is replaced atomically, so a
// failed write leaves the old file as it was. On failure error (if given)
// gets the reason.
bool FileWrite(const QString &path, const QString &text, QString *error = nullptr);

} // namespace mFileRWLite
