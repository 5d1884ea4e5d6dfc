// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The memory files used last, as the Load button's menu offers them.
namespace RecentFiles {

constexpr int kKept = 8;

// The list with path first, an older mention of it gone, at most kKept long.
QStringList added(const QStringList &list, const QString &path);
// Those of the list that are files now.
QStringList present(const QStringList &list);

} // namespace RecentFiles
