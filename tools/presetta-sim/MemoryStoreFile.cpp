// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryStoreFile.h"

#include <QFile>
#include <QSaveFile>

namespace MemoryStoreFile {

bool load(const QString &path, SimMemories &memories, QString *error)
{
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
        return false;
    }
    const QByteArray all = f.readAll();
    for (const QByteArray &line : all.split('\n')) {
        if (const auto r = SimChannel::fromMemoryLine(line))
            memories.set(r->number, r->channel);
    }
    return true;
}

bool save(const QString &path, const SimMemories &memories, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    QByteArray all;
    for (const int n : memories.storedNumbers())
        all += memories.channel(n).memoryLine(n) + '\n';
    f.write(all);
    if (!f.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

} // namespace MemoryStoreFile
