// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Exists.h"

#include <QFileInfo>

namespace mExists {

qint64 FileSize(const QString &path)
{
    // Qt warns about NULs in paths; such a path names nothing.
    if (path.isEmpty() || path.contains(QChar(0)))
        return -1;
    const QFileInfo info(path);
    if (!info.isFile())
        return -1;
    return info.size();
}

} // namespace mExists
