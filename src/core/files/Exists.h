// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace mExists {

// Size in bytes of the regular file at path; -1 when there is none (missing,
// a directory or device, or a path the system would reject, such as one
// holding a NUL).
qint64 FileSize(const QString &path);

} // namespace mExists
