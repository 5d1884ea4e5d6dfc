// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RecentFiles.h"

#include <QFileInfo>

namespace RecentFiles {

QStringList added(const QStringList &list, const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList out{absolute};
    for (const QString &p : list) {
        if (p != absolute && out.size() < kKept)
            out << p;
    }
    return out;
}

QStringList present(const QStringList &list)
{
    QStringList out;
    for (const QString &p : list) {
        if (QFileInfo(p).isFile())
            out << p;
    }
    return out;
}

} // namespace RecentFiles
