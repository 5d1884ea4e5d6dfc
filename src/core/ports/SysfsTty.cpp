// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/SysfsTty.h"

#include <QFile>
#include <QFileInfo>

SysfsTty::SysfsTty(QString root)
    : m_root(std::move(root))
{
}

QString SysfsTty::linkName(const QString &name, const QString &link) const
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    const QFileInfo info(m_root + QLatin1Char('/') + name + QStringLiteral("/device/") + link);
    return info.isSymLink() ? QFileInfo(info.symLinkTarget()).fileName() : QString();
}

QString SysfsTty::bus(const QString &name) const
{
    QString subsystem = linkName(name, QStringLiteral("subsystem"));
    // A USB-serial converter's port sits on its own "usb-serial" bus below USB.
    if (subsystem == QLatin1String("usb-serial"))
        subsystem = QStringLiteral("usb");
    return subsystem.toUpper();
}

QString SysfsTty::driver(const QString &name) const
{
    return linkName(name, QStringLiteral("driver"));
}

QString SysfsTty::attribute(const QString &name, const QString &file) const
{
    if (!name.startsWith(QLatin1String("rfcomm")) || name.contains(QLatin1Char('/')))
        return {};
    QFile f(m_root + QLatin1Char('/') + name + QLatin1Char('/') + file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.read(64)).trimmed();
}

QString SysfsTty::rfcommAddress(const QString &name) const
{
    return attribute(name, QStringLiteral("address"));
}

QString SysfsTty::rfcommChannel(const QString &name) const
{
    return attribute(name, QStringLiteral("channel"));
}
