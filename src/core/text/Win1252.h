// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// One byte per character through Windows-1252 in both directions, the 8-bit
// character set of the receiver's wire and of the memory files. The five bytes
// the code page leaves undefined map to the code points of the same value, so
// every byte survives a decode and an encode. A character with no byte
// becomes "?".
namespace Win1252 {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
// The text as a save and a load give it back: each character without a byte
// becomes one "?", also one beyond the 16-bit range.
QString representable(const QString &text);

} // namespace Win1252
