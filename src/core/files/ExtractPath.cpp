// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ExtractPath.h"

namespace mExtractPath {

QString ExtractPath(const QString &path)
{
    const qsizetype cut = qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.left(cut + 1);
}

} // namespace mExtractPath
