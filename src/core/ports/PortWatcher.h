// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Tells when serial devices may have come or gone, without scanning them:
// the device folder and the settings folder (where the list of extra ports
// lives, which the simulator joins and leaves) are watched by the system,
// and only the extra devices listed last, which their folder does not
// announce (pseudo-terminals), are looked at now and then. A burst of
// changes (an adapter makes several device nodes) is told once.
class PortWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMs = 300;
    static constexpr int kExtraCheckMs = 1000;

    explicit PortWatcher(QObject *parent = nullptr);

    // Watching costs nothing while it is off.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    // The device paths listed now that no folder watch would report.
    void setListedPaths(const QStringList &paths) { m_listed = paths; }

signals:
    void portsMayHaveChanged();

private:
    void checkListed();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_extraCheck;
    QStringList m_listed;
    bool m_active = false;
};
