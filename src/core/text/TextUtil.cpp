// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextUtil.h"

namespace TextUtil {

QString trimBlanks(const QString &s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == QLatin1Char(' '))
        ++a;
    while (b > a && s[b - 1] == QLatin1Char(' '))
        --b;
    return s.mid(a, b - a);
}

QString trimBlanksRight(const QString &s)
{
    qsizetype b = s.size();
    while (b > 0 && s[b - 1] == QLatin1Char(' '))
        --b;
    return s.left(b);
}

} // namespace TextUtil
