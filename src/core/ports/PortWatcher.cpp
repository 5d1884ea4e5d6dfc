// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/PortWatcher.h"

#include "settings/Registry.h"

#include <QDir>
#include <QFileInfo>

PortWatcher::PortWatcher(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &PortWatcher::portsMayHaveChanged);
    const auto changed = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    m_extraCheck.setInterval(kExtraCheckMs);
    connect(&m_extraCheck, &QTimer::timeout, this, &PortWatcher::checkListed);
}

void PortWatcher::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (!active) {
        if (!m_watcher.directories().isEmpty())
            m_watcher.removePaths(m_watcher.directories());
        m_settle.stop();
        m_extraCheck.stop();
        return;
    }
    // The settings file is replaced on every write: its folder sees that.
    const QString settings = QFileInfo(mRegistry2::storeFile()).absolutePath();
    QDir().mkpath(settings);
    QStringList folders{QStringLiteral("/dev"), settings};
    if (QFileInfo(QStringLiteral("/dev/serial/by-id")).isDir())
        folders << QStringLiteral("/dev/serial/by-id");
    m_watcher.addPaths(folders);
    m_extraCheck.start();
}

void PortWatcher::checkListed()
{
    for (const QString &path : std::as_const(m_listed)) {
        if (!QFileInfo::exists(path)) {
            m_settle.start();
            return;
        }
    }
}
