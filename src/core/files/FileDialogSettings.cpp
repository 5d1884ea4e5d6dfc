// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileDialogSettings.h"

#include "files/ExtractFileName.h"
#include "files/ExtractPath.h"

namespace {

// Qt takes the patterns from the last "(...)" of a filter entry, separated by
// blanks; the Windows form separates them with ";".
QString qtFilter(const QString &description, const QString &pattern)
{
    QString patterns = pattern;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.simplified();
    const QString tail = QStringLiteral("(%1)").arg(patterns);
    if (description.trimmed().endsWith(tail))
        return description.trimmed();
    if (description.trimmed().isEmpty())
        return tail;
    return description.trimmed() + QLatin1Char(' ') + tail;
}

} // namespace

QString FileDialogSettings::extension(const QString &path)
{
    const QString name = mExtractFileName::ExtractFileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

FileDialogSettings FileDialogSettings::make(int mode, const QString &initialPath,
                                            const QString &title, const QString &filter)
{
    FileDialogSettings s;
    const bool save = mode == Save;
    s.title = title;
    if (s.title.isEmpty())
        s.title = save ? QStringLiteral("Datei speichern ...") : QStringLiteral("Datei öffnen ...");

    const QString ext = extension(initialPath);
    QString pairs = filter;
    if (!pairs.isEmpty() && !pairs.endsWith(QLatin1Char('|')))
        pairs += QLatin1Char('|');
    const QStringList parts = pairs.split(QLatin1Char('|'));
    // The last piece is the empty one after the final "|"; a description
    // without its pattern is dropped.
    for (qsizetype i = 0; i + 1 < parts.size() - 1; i += 2) {
        const QString &pattern = parts[i + 1];
        if (s.selectedFilter < 0 && !ext.isEmpty()
            && pattern.compare(QLatin1Char('*') + ext, Qt::CaseInsensitive) == 0)
            s.selectedFilter = static_cast<int>(s.nameFilters.size());
        s.nameFilters << qtFilter(parts[i], pattern);
    }

    s.directory = mExtractPath::ExtractPath(initialPath);
    if (save) {
        const QString name = mExtractFileName::ExtractFileName(initialPath);
        s.fileName = name.left(name.size() - ext.size());
    }
    s.defaultSuffix = ext.mid(1);
    return s;
}
