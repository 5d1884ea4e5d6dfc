// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/MemoryEntry.h"

QString MemoryEntry::fixedWidth(const QString &text, int width)
{
    QString s = text.left(width);
    // NULs count as never stored: keep them off every output.
    s.replace(QChar(0), QLatin1Char(' '));
    return s.leftJustified(width, QLatin1Char(' '));
}
