// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ProgramSettings.h"

#include "files/RecentFiles.h"

#include "identity/ProgramIdentity.h"
#include "settings/Registry.h"

namespace {
QVariant read(const char *name)
{
    return mRegistry2::Registry(ProgramSettings::path(QLatin1String(name)));
}

std::optional<int> number(const char *name)
{
    const QVariant v = read(name);
    if (v.typeId() != QMetaType::Int)
        return std::nullopt;
    return v.toInt();
}
} // namespace

QString ProgramSettings::path(const QString &name)
{
    return ProgramIdentity::settingsPath() + QLatin1Char('\\') + name;
}

QString ProgramSettings::lastDir(const QString &fallback) const
{
    const QVariant v = read("LastDir");
    return v.typeId() == QMetaType::QString && !v.toString().isEmpty() ? v.toString() : fallback;
}

void ProgramSettings::setLastDir(const QString &dir)
{
    mRegistry2::Registry(path(QStringLiteral("LastDir")), 0, dir);
}

std::optional<int> ProgramSettings::winLeft() const
{
    return number("Win.Left");
}

std::optional<int> ProgramSettings::winTop() const
{
    return number("Win.Top");
}

void ProgramSettings::setWindowPosition(int left, int top)
{
    mRegistry2::Registry(path(QStringLiteral("Win.Top")), 0, QVariant(top));
    mRegistry2::Registry(path(QStringLiteral("Win.Left")), 0, QVariant(left));
}

QVariant ProgramSettings::comPort() const
{
    const QVariant v = read("COM-Port");
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::Int ? v : QVariant();
}

void ProgramSettings::setComPort(const QString &portName)
{
    mRegistry2::Registry(path(QStringLiteral("COM-Port")), 0, portName);
}

QStringList ProgramSettings::extraPortsOf(const QVariant &stored)
{
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList();
    if (stored.typeId() == QMetaType::QString && !stored.toString().isEmpty())
        return {stored.toString()};
    return {};
}

QStringList ProgramSettings::extraPorts() const
{
    return extraPortsOf(read("ExtraPorts"));
}

void ProgramSettings::setExtraPorts(const QStringList &entries)
{
    if (entries.isEmpty())
        mRegistry2::DeleteValue(path(QStringLiteral("ExtraPorts")));
    else
        mRegistry2::Registry(path(QStringLiteral("ExtraPorts")), 0, QVariant(entries));
}

QStringList ProgramSettings::recentFiles() const
{
    return extraPortsOf(read("RecentFiles"));
}

void ProgramSettings::addRecentFile(const QString &path)
{
    mRegistry2::Registry(ProgramSettings::path(QStringLiteral("RecentFiles")), 0,
                         QVariant(RecentFiles::added(recentFiles(), path)));
}
