// SPDX-License-Identifier: GPL-3.0-or-later
#include "identity/UserFolders.h"

#include "identity/ExeName.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace UserFolders {

QString dataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // The base directory rules ignore a relative path.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/presetta");
}

bool programFolderWritable()
{
    return ::access(QFile::encodeName(ExeName::programDirectory()).constData(), W_OK) == 0;
}

QString autoLoadFile()
{
    if (programFolderWritable())
        return ExeName::autoLoadFile();
    return dataFolder() + QLatin1Char('/') + QFileInfo(ExeName::programPath()).completeBaseName()
        + QStringLiteral(".csv");
}

QString firstSaveFolder()
{
    if (programFolderWritable())
        return ExeName::programDirectory();
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = !docs.isEmpty() && QFileInfo(docs).isDir() ? docs : QDir::homePath();
    return folder + QLatin1Char('/');
}

} // namespace UserFolders
