// SPDX-License-Identifier: GPL-3.0-or-later
#include "identity/ProgramIdentity.h"

namespace ProgramIdentity {

QString ProgVer(int major, int minor, int revision)
{
    QString s = QString::number(major) + QLatin1Char('.')
        + QStringLiteral("%1").arg(minor, 2, 10, QLatin1Char('0'));
    const int r = revision;
    auto withNumber = [](const QString &word, int k) {
        return k > 0 ? word + QLatin1Char(' ') + QString::number(k) : word;
    };
    if (r >= 1 && r <= 26)
        s += QChar(QLatin1Char('a').unicode() + r - 1);
    else if (r >= 1000 && r <= 1999)
        s += withNumber(QStringLiteral(" Alpha"), r - 1000);
    else if (r >= 100 && r <= 199)
        s += withNumber(QStringLiteral(" Beta"), r - 100);
    else if (r >= 2000 && r <= 2999)
        s += withNumber(QStringLiteral(" Beta"), r - 2000);
    else if (r == 255 || r == 9999)
        s += QChar(0x00DF);
    return s;
}

QString versionText()
{
    return ProgVer(kMajor, kMinor, kRevision);
}

QString caption()
{
    return QStringLiteral("ESP32 ") + kTitle + QStringLiteral("  v") + versionText()
        + QStringLiteral("  [") + kReleaseDate + QLatin1Char(']');
}

QString settingsPath()
{
    return QStringLiteral("HKCU\\Software\\") + kMaker + QLatin1Char('\\') + kTitle;
}

} // namespace ProgramIdentity
