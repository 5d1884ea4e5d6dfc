// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/NumberRule.h"

#include <QLocale>

#include <cmath>

namespace NumberRule {

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r');
}
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
} // namespace

Parsed parse(QStringView text)
{
    Parsed p;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Collect the digits and let the C locale convert them, so the system's
    // decimal separator never matters.
    QString digits;
    qsizetype j = i;
    while (j < n && isDigit(text[j]))
        digits.append(text[j++]);
    bool any = !digits.isEmpty();
    if (j + 1 < n && text[j] == QLatin1Char('.') && isDigit(text[j + 1])) {
        digits.append(QLatin1Char('.'));
        ++j;
        while (j < n && isDigit(text[j]))
            digits.append(text[j++]);
        any = true;
    }
    if (!any)
        return p;
    if (digits.startsWith(QLatin1Char('.')))
        digits.prepend(QLatin1Char('0'));
    bool ok = false;
    double v = QLocale::c().toDouble(digits, &ok);
    if (!ok) // more digits than a double holds
        v = std::numeric_limits<double>::infinity();
    p.value = negative ? -v : v;
    p.found = true;
    p.length = static_cast<int>(j);
    return p;
}

double value(QStringView text)
{
    return parse(text).value;
}

qint64 roundHalfEven(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 9.2e18)
        return std::numeric_limits<qint64>::max();
    if (v <= -9.2e18)
        return std::numeric_limits<qint64>::min();
    const double fl = std::floor(v);
    const double diff = v - fl;
    double r;
    if (diff > 0.5)
        r = fl + 1.0;
    else if (diff < 0.5)
        r = fl;
    else
        r = (std::fmod(fl, 2.0) == 0.0) ? fl : fl + 1.0;
    return static_cast<qint64>(r);
}

} // namespace NumberRule
