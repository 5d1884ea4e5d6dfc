// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryCheck.h"

#include "DecimalField.h"
#include "memlist/Bands.h"

#include <QList>

namespace EntryCheck {

namespace {

bool inside(qint32 v, qint32 lo, qint32 hi)
{
    return v >= lo && v <= hi;
}

bool inAm(qint32 f, const SimLimits &l)
{
    return inside(f, l.amMin, l.amMax);
}

bool inFm(qint32 f, const SimLimits &l)
{
    return inside(f, l.fmMin, l.fmMax);
}

// Splits after "S" into six fields; the name keeps any further commas.
QList<QByteArray> fields(const QByteArray &command)
{
    QList<QByteArray> f;
    qsizetype from = 1;
    while (f.size() < 5) {
        const qsizetype comma = command.indexOf(',', from);
        if (comma < 0)
            break;
        f << command.mid(from, comma - from);
        from = comma + 1;
    }
    f << command.mid(from);
    while (f.size() < 6)
        f << QByteArray();
    return f;
}

} // namespace

bool isPi(const QByteArray &field)
{
    if (field.size() > 4)
        return false;
    for (const char c : field) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex)
            return false;
    }
    return true;
}

bool bandwidthFits(qint32 frequency, int code, const SimLimits &limits)
{
    // Limits may overlap when set by hand: then the codes of either band do.
    if (inFm(frequency, limits) && inside(code, 0, Bands::kFmTableSize - 1))
        return true;
    return inAm(frequency, limits) && inside(code, 1, Bands::kAmTableSize - 1);
}

Result check(const QByteArray &command, int memoryCount, const SimLimits &limits)
{
    Result r;
    const QList<QByteArray> f = fields(command);
    quint16 errors = 0;

    const auto n = DecimalField::read(f[0]);
    r.number = n.value_or(0);
    if (!n || *n < 1 || *n > memoryCount)
        errors |= kMemoryNumber;

    const auto freq = DecimalField::read(f[1]);
    r.channel.frequency = freq.value_or(0);
    const bool empty = freq && *freq == 0;
    if (!freq || (!empty && !inAm(*freq, limits) && !inFm(*freq, limits)))
        errors |= kFrequency;
    if (empty && n && *n == 1)
        errors |= kMemoryOneEmpty;

    const auto bw = DecimalField::read(f[2]);
    r.channel.bandwidth = bw.value_or(0);
    // An empty entry takes any code; a frequency in no band has no codes to
    // compare with and is already refused for its frequency.
    const bool bandKnown = freq && !(errors & kFrequency);
    if (!empty && bandKnown && (!bw || !bandwidthFits(*freq, *bw, limits)))
        errors |= kBandwidth;

    const auto st = DecimalField::read(f[3]);
    r.channel.stereo = st.value_or(0);
    if (!st || *st > 1)
        errors |= kStereo;

    r.channel.pi = f[4];
    if (!isPi(f[4]))
        errors |= kPi;

    r.channel.name = f[5];
    r.status = errors ? errors : quint16(kAccepted);
    return r;
}

} // namespace EntryCheck
