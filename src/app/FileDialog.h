// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace mFileDialog {

// Standard open (mode 0) or save (mode 1) dialog set up from the initial path,
// title and "description|pattern|..." filter; returns the chosen path, or ""
// when the user cancels.
// places: folders added to the dialog's side bar.
QString FileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                   const QString &filter, const QStringList &places = {});

} // namespace mFileDialog
