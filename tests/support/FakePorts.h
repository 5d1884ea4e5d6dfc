// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ports/PortSource.h"

#include <QList>
#include <memory>

// A port inventory the test controls. The test keeps a handle on the list,
// so ports can come and go while the window runs.
class FakePorts : public PortSource
{
public:
    using List = std::shared_ptr<QList<PortRecord>>;
    explicit FakePorts(List list = std::make_shared<QList<PortRecord>>()) : m_list(std::move(list)) {}
    QList<PortRecord> ports() override { return *m_list; }

private:
    List m_list;
};

inline PortRecord portRecord(const QString &name, const QString &description,
                             const QString &path = QString(), const QString &vid = QString(),
                             const QString &pid = QString(), qint16 portNum = 0)
{
    PortRecord r;
    r.port = name;
    r.portNum = portNum;
    r.description = description;
    r.friendlyName = description;
    r.vid = vid;
    r.pid = pid;
    r.path = path.isEmpty() ? QStringLiteral("/dev/") + name : path;
    r.pnp = r.path;
    return r;
}
