// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/MemoryFile.h"

#include "files/CsvFile.h"
#include "files/FileRWLite.h"
#include "text/TextUtil.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <limits>

namespace MemoryFile {

namespace {
Read refused(Status status, const QString &message)
{
    Read r;
    r.status = status;
    r.message = message;
    return r;
}

qint16 countFor(Count rule, qint16 memoryCount, int lines)
{
    const int fileCount = qMin(lines, int(std::numeric_limits<qint16>::max()));
    switch (rule) {
    case Count::FileLines:
        return static_cast<qint16>(fileCount);
    case Count::AtLeastTable:
        return qMax(memoryCount, static_cast<qint16>(fileCount));
    case Count::Table:
        break;
    }
    return memoryCount;
}
} // namespace

Read read(const QString &path, Count count, qint16 memoryCount, const Bands::Limits &limits)
{
    // Never opened unless it is a plain file: a pipe would block, a device answer.
    const QFileInfo info(path);
    if (path.isEmpty() || path.contains(QChar(0)) || !info.exists())
        return refused(Status::Missing, QCoreApplication::translate("MemoryFile", "no such file"));
    if (!info.isFile())
        return refused(Status::NotRegular, QCoreApplication::translate("MemoryFile", "not a regular file"));
    QString reason;
    const QString text = mFileRWLite::FileRead(path, &reason);
    if (!reason.isEmpty())
        return refused(Status::Unreadable, reason);

    const int lines = CsvFile::dataLines(text);
    const qint16 n = countFor(count, memoryCount, lines);
    const CsvFile::LoadResult parsed = CsvFile::parse(text, n, limits);
    Read r;
    r.lines = lines;
    r.count = n;
    switch (parsed.status) {
    case CsvFile::LoadStatus::Ok:
        r.status = Status::Loaded;
        r.entries = parsed.entries;
        return r;
    case CsvFile::LoadStatus::Ignored:
        r.status = Status::NoLines;
        r.message = QCoreApplication::translate("MemoryFile", "not a memory file (no lines ended by CR LF)");
        return r;
    case CsvFile::LoadStatus::NotCompatible:
        r.status = Status::NotCompatible;
        break;
    case CsvFile::LoadStatus::Invalid:
        r.status = Status::Invalid;
        break;
    }
    r.message = TextUtil::trimBlanks(parsed.message);
    return r;
}

} // namespace MemoryFile
