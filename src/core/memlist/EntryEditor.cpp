// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/EntryEditor.h"

#include "memlist/LineFormat.h"
#include "text/NumberRule.h"
#include "text/TextUtil.h"

namespace EntryEditor {

qint16 bandOfText(const QString &frequencyText, const Bands::Limits &limits)
{
    return Bands::bandOf(NumberRule::read<qint32>(frequencyText), limits);
}

Result apply(const MemoryEntry &old, const Input &in, const Bands::Limits &limits)
{
    Result r;
    MemoryEntry &e = r.entry;
    e = old;
    e.frequency = NumberRule::read<qint32>(in.frequencyText);
    e.band = Bands::bandOf(e.frequency, limits);
    const QString blankPi(MemoryEntry::kPiWidth, QLatin1Char(' '));
    QString stereoText;

    switch (e.band) {
    case Bands::kAM:
        e.setName(in.nameText);
        e.pi = blankPi;
        e.bandwidth = static_cast<quint8>(qBound(0, in.bandwidthIndex + 1, 255));
        e.stereo = 0;
        break;
    case Bands::kFM:
        e.setName(in.nameText);
        if (TextUtil::trimBlanks(in.nameText).isEmpty()) {
            e.pi = blankPi;
        } else {
            const QString typed = TextUtil::trimBlanks(in.piText);
            e.setPi(typed.isEmpty() ? QStringLiteral("0000")
                                    : (QStringLiteral("0000") + in.piText).right(MemoryEntry::kPiWidth));
            r.piBoxText = e.pi;
        }
        // A code without an item leaves its list unselected; keep it rather
        // than store a code the line would contradict.
        if (in.bandwidthIndex >= 0)
            e.bandwidth = static_cast<quint8>(qMin(in.bandwidthIndex, 255));
        if (in.stereoIndex >= 0)
            e.stereo = static_cast<quint8>(qMin(in.stereoIndex, 255));
        stereoText = e.stereo == 0 ? QStringLiteral("MONO") : QStringLiteral("STEREO");
        break;
    default:
        e.setName(QString());
        e.pi = blankPi;
        break;
    }

    LineFormat::ApplyLineInput li;
    li.n = in.n;
    li.memoryCount = in.memoryCount;
    li.bandText = in.bandText;
    li.frequencyValue = NumberRule::value(in.frequencyText);
    li.name = e.name;
    li.pi = e.pi;
    li.bandwidthItem = in.bandwidthItem;
    li.stereoText = stereoText;
    r.line = LineFormat::applyLine(li);
    return r;
}

} // namespace EntryEditor
