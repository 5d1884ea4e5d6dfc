// SPDX-License-Identifier: GPL-3.0-or-later
#include "identity/ExeName.h"

#include <QCoreApplication>
#include <QDir>

namespace ExeName {

namespace {
QString &overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString programPath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

QString programDirectory()
{
    const QString p = programPath();
    const qsizetype cut = qMax(p.lastIndexOf(QLatin1Char('/')), p.lastIndexOf(QLatin1Char('\\')));
    return p.left(cut + 1);
}

QString pathWithoutExtension()
{
    const QString p = programPath();
    const QString dir = programDirectory();
    const QString file = p.mid(dir.size());
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    // A dot in a folder name does not count, nor a file without extension.
    if (dot < 0)
        return p + QLatin1Char('.');
    return dir + file.left(dot + 1);
}

QString autoLoadFile()
{
    return pathWithoutExtension() + QStringLiteral("csv");
}

void setProgramPathForTest(const QString &path)
{
    overridePath() = path;
}

} // namespace ExeName
