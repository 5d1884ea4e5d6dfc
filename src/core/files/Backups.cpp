// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Backups.h"

#include "files/CsvFile.h"
#include "files/FileRWLite.h"
#include "identity/UserFolders.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <utility>

namespace Backups {

QString folder()
{
    return UserFolders::dataFolder() + QStringLiteral("/backups");
}

namespace {
// "yyyy-MM-dd_HHmmss_": the time a backup's name begins with.
constexpr int kTimeLength = 18;
const QString kPattern = QStringLiteral("[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]_[0-9][0-9][0-9][0-9][0-9][0-9]_*.csv");

// The how-manieth of its second a backup is: the name carries "-n" before
// ".csv" from the second on.
int numberInSecond(const QString &name)
{
    const qsizetype dash = name.lastIndexOf(QLatin1Char('-'));
    bool ok = false;
    const int n = dash > kTimeLength ? name.mid(dash + 1, name.size() - dash - 5).toInt(&ok) : 0;
    return ok && n >= 2 ? n : 1;
}
} // namespace

bool write(const MemoryTable &table, const QString &what, QString *error)
{
    QDir dir(folder());
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QCoreApplication::translate("Backups", "The folder cannot be made");
        return false;
    }
    // Backups of the same second are numbered across what they were made
    // for, so the order they were made in is never lost.
    const QString time = Clock::now().toString(QStringLiteral("yyyy-MM-dd_HHmmss_"));
    int n = 1;
    for (const QString &made : dir.entryList({time + QStringLiteral("*.csv")}, QDir::Files))
        n = qMax(n, numberInSecond(made) + 1);
    const auto nameOf = [&](int k) {
        return time + what + (k > 1 ? QStringLiteral("-%1").arg(k) : QString()) + QStringLiteral(".csv");
    };
    while (dir.exists(nameOf(n)))
        ++n;
    if (!mFileRWLite::FileWrite(dir.filePath(nameOf(n)), CsvFile::text(table), error))
        return false;
    // Oldest first: by the time in the name, then by the number within its second.
    QStringList all = dir.entryList({kPattern}, QDir::Files, QDir::Name);
    std::stable_sort(all.begin(), all.end(), [](const QString &a, const QString &b) {
        const int byTime = QStringView(a).left(kTimeLength).compare(QStringView(b).left(kTimeLength));
        return byTime != 0 ? byTime < 0 : numberInSecond(a) < numberInSecond(b);
    });
    for (qsizetype i = 0; i + kKept < all.size(); ++i)
        QFile::remove(dir.filePath(all[i]));
    return true;
}

QString Keeper::write(const MemoryTable &table, const QString &what)
{
    QString reason;
    if (Backups::write(table, what, &reason) || std::exchange(m_told, true))
        return QString();
    return QCoreApplication::translate("Backups", "No backup could be written to \"%1\": %2").arg(folder(), reason);
}

} // namespace Backups
