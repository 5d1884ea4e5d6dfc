// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Memory entries as the tests write and print them.

#include "memlist/MemoryEntry.h"

#include <QTest>

// Name and PI filled with blanks to their widths, as the table holds them.
inline MemoryEntry entry(int band, int kHz, const QString &name, const QString &pi, int bandwidth, int stereo)
{
    return {qint16(band), kHz, quint8(bandwidth), quint8(stereo), pi.leftJustified(4), name.leftJustified(9)};
}

inline char *toString(const MemoryEntry &e)
{
    return QTest::toString(QStringLiteral("band %1, %2 kHz, name \"%3\", PI \"%4\", bandwidth %5, stereo %6")
                               .arg(e.band).arg(e.frequency).arg(e.name, e.pi).arg(e.bandwidth).arg(e.stereo));
}
