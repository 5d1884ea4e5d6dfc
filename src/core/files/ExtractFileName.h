// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace mExtractFileName {

// The part after the last "\" or "/"; the whole text when there is neither.
QString ExtractFileName(const QString &path);

} // namespace mExtractFileName
