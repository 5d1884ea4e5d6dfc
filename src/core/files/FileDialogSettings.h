// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the open and save dialogs are set up with, worked out from the caller's
// mode, initial path, title and "description|pattern|..." filter.
struct FileDialogSettings {
    enum Mode { Open = 0, Save = 1 };

    QString title;
    QStringList nameFilters;   // Qt form: "description (patterns)"
    int selectedFilter = -1;   // index into nameFilters; -1 leaves the first
    QString directory;         // initial path up to its last separator
    QString fileName;          // save mode: initial name without extension
    QString defaultSuffix;     // initial path's extension, without the dot

    static FileDialogSettings make(int mode, const QString &initialPath, const QString &title,
                                   const QString &filter);

    // Extension of a path's file name including the dot (".csv"); "" when none.
    static QString extension(const QString &path);
};
