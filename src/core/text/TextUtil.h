// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace TextUtil {

// Remove blanks (spaces only) from both ends; other white space stays.
QString trimBlanks(const QString &s);
QString trimBlanksRight(const QString &s);

} // namespace TextUtil
