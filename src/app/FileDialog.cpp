// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialog.h"

#include "files/FileDialogSettings.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace mFileDialog {

QString FileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                   const QString &filter, const QStringList &places)
{
    const FileDialogSettings s = FileDialogSettings::make(mode, initialPath, title, filter);
    const bool save = mode == FileDialogSettings::Save;

    QFileDialog dlg(owner, s.title);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
    dlg.setOption(QFileDialog::ReadOnly, false);
    if (!s.nameFilters.isEmpty()) {
        dlg.setNameFilters(s.nameFilters);
        if (s.selectedFilter >= 0)
            dlg.selectNameFilter(s.nameFilters.at(s.selectedFilter));
    }
    if (!s.directory.isEmpty())
        dlg.setDirectory(s.directory);
    if (!s.fileName.isEmpty())
        dlg.selectFile(s.fileName);
    dlg.setDefaultSuffix(s.defaultSuffix);
    QList<QUrl> side = dlg.sidebarUrls();
    for (const QString &place : places) {
        if (QFileInfo(place).isDir())
            side << QUrl::fromLocalFile(place);
    }
    dlg.setSidebarUrls(side);

    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

} // namespace mFileDialog
