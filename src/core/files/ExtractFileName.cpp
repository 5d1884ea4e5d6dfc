// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ExtractFileName.h"

namespace mExtractFileName {

QString ExtractFileName(const QString &path)
{
    const qsizetype cut = qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

} // namespace mExtractFileName
