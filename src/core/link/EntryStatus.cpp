// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/EntryStatus.h"

#include "link/Bits.h"
#include "text/NumberRule.h"
#include "text/TextUtil.h"

#include <QCoreApplication>

namespace EntryStatus {

namespace {
constexpr int kAcceptedBit = 7;

struct BitMessage {
    int bit;
    const char *text;
    const char *focus;
};

const BitMessage kMessages[] = {
    {5, QT_TRANSLATE_NOOP("EntryStatus", "  Incorrect PI code!  "), "tPI"},
    {4, QT_TRANSLATE_NOOP("EntryStatus", "  Memory 01 can't be empty!  "), "tFreq"},
    {3, QT_TRANSLATE_NOOP("EntryStatus", "  Mono/Stereo out of range!  "), "coST"},
    {2, QT_TRANSLATE_NOOP("EntryStatus", "  Bandwidth out of range!  "), "coBW"},
    {1, QT_TRANSLATE_NOOP("EntryStatus", "  Memory Channel out of range!  "), "tFreq"},
    {0, QT_TRANSLATE_NOOP("EntryStatus", "  Frequency out of range!  "), "tFreq"},
};
} // namespace

Reply parse(const QString &line)
{
    QString s = line;
    s.remove(QChar(0));
    s.remove(QLatin1Char('\n'));
    s.remove(QLatin1Char('\r'));
    s = TextUtil::trimBlanks(s);

    Reply r;
    if (!s.contains(QLatin1String("S:"))) {
        r.accepted = true;
        return r;
    }
    r.isStatus = true;
    const QList<QStringView> pieces = QStringView(s).split(QLatin1Char(':'));
    const double v = NumberRule::value(pieces.size() > 1 ? pieces[1] : QStringView());
    if (!NumberRule::fits<quint16>(v)) {
        r.fits = false;
        return r;
    }
    r.word = static_cast<quint16>(NumberRule::roundHalfEven(v));
    r.accepted = mBits::IsBitSet(r.word, kAcceptedBit);
    return r;
}

QList<ErrorMessage> errorMessages(quint16 word)
{
    QList<ErrorMessage> out;
    for (const BitMessage &m : kMessages) {
        if (mBits::IsBitSet(word, m.bit))
            out.append({QCoreApplication::translate("EntryStatus", m.text), QString::fromLatin1(m.focus)});
    }
    return out;
}

QString errorTitle(quint16 word)
{
    return QCoreApplication::translate("EntryStatus", " ERROR: %1").arg(word);
}

} // namespace EntryStatus
