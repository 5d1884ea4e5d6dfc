// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/ExtraPorts.h"

#include "settings/ProgramSettings.h"
#include "ports/SerialPortFacts.h"
#include "ports/TtyDevice.h"
#include "text/TextUtil.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace ExtraPorts {

QString valuePath()
{
    return ProgramSettings::path(QStringLiteral("ExtraPorts"));
}

QList<Entry> parse(const QVariant &value)
{
    QList<Entry> entries;
    for (const QString &element : ProgramSettings::extraPortsOf(value)) {
        // The first "|" ends the path; a description may hold more of them.
        const qsizetype bar = element.indexOf(QLatin1Char('|'));
        Entry e;
        e.path = TextUtil::trimBlanks(bar < 0 ? element : element.left(bar));
        if (bar >= 0)
            e.description = TextUtil::trimBlanks(element.mid(bar + 1));
        if (!e.path.isEmpty())
            entries.append(e);
    }
    return entries;
}

std::optional<PortRecord> recordFor(const Entry &entry)
{
    if (!TtyDevice::isTerminal(entry.path))
        return std::nullopt;
    const QFileInfo info(entry.path);
    SerialPortFacts facts;
    // Named as the device folder names it: "pts/3", not a bare "3".
    const QString devices = QStringLiteral("/dev/");
    facts.name = info.absoluteFilePath().startsWith(devices) ? info.absoluteFilePath().mid(devices.size())
                                                             : info.fileName();
    facts.systemLocation = info.absoluteFilePath();
    PortRecord r = facts.toRecord();
    r.description = entry.description.isEmpty() ? QCoreApplication::translate("PortList", "Virtual port") : entry.description;
    r.friendlyName = r.description;
    return r;
}

} // namespace ExtraPorts
