// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/PortChoice.h"

namespace PortChoice {

QString listText(const PortRecord &r)
{
    return r.port + QStringLiteral(": ") + r.description;
}

bool isCh340(const PortRecord &r)
{
    return listText(r).contains(QStringLiteral("CH340"), Qt::CaseInsensitive)
        || (r.vid == QLatin1String("1A86")
            && (r.pid == QLatin1String("7523") || r.pid == QLatin1String("5523")));
}

int preselect(const QList<PortRecord> &ports, const QVariant &remembered)
{
    if (ports.isEmpty())
        return -1;
    int pick = -1;
    for (int i = 0; i < ports.size(); ++i) {
        const bool match = remembered.typeId() == QMetaType::QString
            ? ports[i].port == remembered.toString()
            : (remembered.isValid() && ports[i].portNum == remembered.toInt());
        if (match)
            pick = i;
    }
    for (int i = 0; i < ports.size() && pick < 0; ++i) {
        if (isCh340(ports[i]))
            pick = i;
    }
    return pick < 0 ? 0 : pick;
}

int follow(const QList<PortRecord> &now, const QStringList &before, const QString &chosenByHand,
           const QVariant &remembered)
{
    int appeared = -1;
    for (int i = 0; i < now.size(); ++i) {
        if (!chosenByHand.isEmpty() && now[i].path == chosenByHand)
            return i;
        if (!before.contains(now[i].path))
            appeared = i;
    }
    return appeared >= 0 ? appeared : preselect(now, remembered);
}

int find(const QList<PortRecord> &ports, const QString &nameOrPath)
{
    for (int i = 0; i < ports.size(); ++i) {
        if (ports[i].path == nameOrPath || ports[i].port == nameOrPath)
            return i;
    }
    return -1;
}

} // namespace PortChoice
