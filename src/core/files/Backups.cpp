// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Backups.h"

#include "files/CsvFile.h"
#include "files/FileRWLite.h"
#include "identity/UserFolders.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFile>

namespace Backups {

QString folder()
{
    return UserFolders::dataFolder() + QStringLiteral("/backups");
}

bool write(const MemoryTable &table, const QString &what, QString *error)
{
    QDir dir(folder());
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("The folder cannot be made");
        return false;
    }
    const QString stem = Clock::now().toString(QStringLiteral("yyyy-MM-dd_HHmmss_")) + what;
    QString name = stem + QStringLiteral(".csv");
    for (int i = 2; dir.exists(name); ++i)
        name = stem + QStringLiteral("-%1.csv").arg(i);
    if (!mFileRWLite::FileWrite(dir.filePath(name), CsvFile::text(table), error))
        return false;
    // Names begin with the time, so the oldest sort first.
    const QStringList all = dir.entryList({QStringLiteral("[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]_*.csv")}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + kKept < all.size(); ++i)
        QFile::remove(dir.filePath(all[i]));
    return true;
}

} // namespace Backups
