// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/LineFormat.h"

#include "memlist/Bands.h"

namespace LineFormat {

namespace {
const QString kEmptyTail = QStringLiteral("-- |         |          |      |      |");

QString rightAligned(const QString &text, int width)
{
    if (text.size() > width)
        return text.right(width);
    return text.rightJustified(width, QLatin1Char(' '));
}
} // namespace

int numberDigits(int memoryCount)
{
    return qMax(2, static_cast<int>(QString::number(qMax(memoryCount, 0)).size()));
}

QString numberColumn(int n, int memoryCount)
{
    return QLatin1Char(' ')
        + QStringLiteral("%1").arg(n, numberDigits(memoryCount), 10, QLatin1Char('0'))
        + QLatin1Char(' ');
}

QString frequencyColumn(double kHz)
{
    // QString::number never uses the system locale, so the separator is a point.
    return rightAligned(QString::number(kHz / 1000.0, 'f', 3), 7);
}

QString emptyLine(int n, int memoryCount)
{
    return numberColumn(n, memoryCount) + QStringLiteral("| ") + kEmptyTail;
}

QString listLine(const MemoryEntry &e, int n, int memoryCount)
{
    QString s = numberColumn(n, memoryCount) + QStringLiteral("| ");
    if (e.frequency <= 0)
        return s + kEmptyTail;
    s += (e.band == Bands::kAM ? QStringLiteral("AM") : QStringLiteral("FM"));
    s += QStringLiteral(" | ");
    s += frequencyColumn(e.frequency) + QStringLiteral(" | ");
    s += MemoryEntry::fixedWidth(e.name, MemoryEntry::kNameWidth) + QStringLiteral("| ");
    if (e.band != Bands::kAM) {
        s += MemoryEntry::fixedWidth(e.pi, MemoryEntry::kPiWidth) + QStringLiteral(" | ");
        if (e.bandwidth == 0)
            s += QStringLiteral("AUTO");
        else if (e.bandwidth < Bands::kFmTableSize)
            s += rightAligned(QString::number(Bands::kFmBandwidth[e.bandwidth]), 3) + QLatin1Char('k');
        else
            s += QStringLiteral("  ?k");
        s += QStringLiteral(" | ");
        s += e.stereo == 0 ? QStringLiteral(" MONO ") : QStringLiteral("STEREO");
    } else {
        s += QStringLiteral("     | ");
        if (e.bandwidth >= 1 && e.bandwidth < Bands::kAmTableSize)
            s += rightAligned(QString::number(Bands::kAmBandwidth[e.bandwidth]), 3) + QLatin1Char('k');
        else
            s += QStringLiteral("  ?k");
        s += QStringLiteral(" |      ");
    }
    return s;
}

QString applyLine(const ApplyLineInput &in)
{
    QString s = numberColumn(in.n, in.memoryCount) + QStringLiteral("| ");
    QString band = in.bandText.isEmpty() ? QStringLiteral("--") : in.bandText;
    s += band.leftJustified(2, QLatin1Char(' '), true) + QStringLiteral(" | ");
    const QString freq = in.frequencyValue > 0 ? QString::number(in.frequencyValue / 1000.0, 'f', 3)
                                               : QString();
    s += rightAligned(freq, 7) + QStringLiteral(" | ");
    s += MemoryEntry::fixedWidth(in.name, MemoryEntry::kNameWidth) + QStringLiteral("| ");
    s += MemoryEntry::fixedWidth(in.pi, MemoryEntry::kPiWidth) + QStringLiteral(" | ");
    s += rightAligned(in.bandwidthItem, 4) + QStringLiteral(" | ");
    s += in.stereoText.leftJustified(6, QLatin1Char(' '));
    return s;
}

int splitPosition(const QString &line)
{
    return static_cast<int>(line.indexOf(QLatin1Char('|'))) + 1;
}

void swapDataParts(QString &upper, QString &lower, int p)
{
    if (p < 1)
        return;
    const QString kept = upper.mid(p - 1);
    upper = upper.left(p - 1) + lower.mid(p - 1);
    lower = lower.left(p - 1) + kept;
}

} // namespace LineFormat
