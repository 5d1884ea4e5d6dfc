// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/Bands.h"

#include "text/NumberRule.h"

namespace Bands {

const int kAmBandwidth[kAmTableSize] = {0, 3, 4, 6, 8};
const int kFmBandwidth[kFmTableSize] = {0,   56,  64,  72,  84,  97,  114, 133, 151,
                                        168, 184, 200, 217, 236, 254, 287, 311};

namespace {
qint64 limit(const QString &text)
{
    return NumberRule::roundHalfEven(NumberRule::value(text));
}
} // namespace

qint16 bandOf(qint64 kHz, const Limits &l)
{
    if (limit(l.aMin) <= kHz && kHz <= limit(l.aMax))
        return kAM;
    if (limit(l.fMin) <= kHz && kHz <= limit(l.fMax))
        return kFM;
    return kNone;
}

qint16 bandOfReceived(qint64 kHz, const Limits &l)
{
    if (kHz < 1)
        return kNone;
    if (limit(l.fMin) <= kHz && kHz <= limit(l.fMax))
        return kFM;
    return kAM;
}

QStringList bandwidthChoices(qint16 band)
{
    QStringList items;
    if (band == kAM) {
        for (int i = 1; i < kAmTableSize; ++i)
            items << QString::number(kAmBandwidth[i]) + QLatin1Char('k');
    } else if (band == kFM) {
        items << QStringLiteral("AUTO");
        for (int i = 1; i < kFmTableSize; ++i)
            items << QString::number(kFmBandwidth[i]) + QLatin1Char('k');
    }
    return items;
}

QStringList stereoChoices(qint16 band)
{
    if (band == kFM)
        return {QStringLiteral("OFF"), QStringLiteral("AUTO")};
    return {};
}

} // namespace Bands
