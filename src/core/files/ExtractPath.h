// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace mExtractPath {

// The part up to and including the last separator; "" when there is none.
// Both "\" and "/" count, so the platform's own paths work too.
QString ExtractPath(const QString &path);

} // namespace mExtractPath
