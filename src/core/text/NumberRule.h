// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QtGlobal>
#include <limits>

// Reading numbers out of text the way the receiver protocol, the band limits
// and the frequency box need it: leading blanks, optional sign, digits, an
// optional "." with digits; anything else ends the number; no number reads 0.
namespace NumberRule {

struct Parsed {
    double value = 0.0;
    bool found = false;     // at least one digit was read
    int length = 0;         // characters consumed, leading blanks included
};

Parsed parse(QStringView text);

// The value of the leading number, 0 when there is none.
double value(QStringView text);

// Round to the nearest whole number, a half going to the even neighbour.
// NaN gives 0; the result saturates at the 64-bit range.
qint64 roundHalfEven(double v);

// Saturate a whole number into the range of T.
template <typename T>
T clampTo(qint64 v)
{
    if (v < static_cast<qint64>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (v > static_cast<qint64>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(v);
}

// The number rule followed by storing into a field of type T.
template <typename T>
T read(QStringView text)
{
    return clampTo<T>(roundHalfEven(value(text)));
}

// True when the rounded value fits T without clamping.
template <typename T>
bool fits(double v)
{
    const qint64 r = roundHalfEven(v);
    return r >= static_cast<qint64>(std::numeric_limits<T>::min())
        && r <= static_cast<qint64>(std::numeric_limits<T>::max());
}

} // namespace NumberRule
