// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileRWLite.h"

#include "files/Exists.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace mFileRWLite {

namespace {
void setError(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
}

// Unbuffered, so a short write (full disk, size limit) shows here: buffered,
// Qt may flush a short write without flagging it, and the save would replace
// the old file with a cut-off one.
bool writeAll(QFileDevice &f, const QByteArray &bytes, QString *error)
{
    const qint64 written = f.write(bytes);
    if (written == bytes.size())
        return true;
    if (written < 0) {
        setError(error, f.errorString());
        return false;
    }
    const int size = static_cast<int>(bytes.size());
    setError(error, QCoreApplication::translate("FileRWLite", "Only %1 of %n byte(s) could be written", nullptr, size)
                        .arg(written));
    return false;
}

// Devices and pipes cannot be replaced by renaming; they are written in place.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error, f.errorString());
        return false;
    }
    if (!writeAll(f, bytes, error))
        return false;
    f.close();
    if (f.error() != QFileDevice::NoError) {
        setError(error, f.errorString());
        return false;
    }
    return true;
}
} // namespace

QString FileRead(const QString &path, QString *error)
{
    const qint64 size = mExists::FileSize(path);
    if (size <= 0)
        return QString();
    if (size > kMaxReadSize) {
        setError(error, QCoreApplication::translate("FileRWLite", "File is too large"));
        return QString();
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        setError(error, f.errorString());
        return QString();
    }
    const QByteArray bytes = f.read(kMaxReadSize + 1);
    if (f.error() != QFileDevice::NoError) {
        setError(error, f.errorString());
        return QString();
    }
    if (bytes.size() > kMaxReadSize) { // grew since it was measured
        setError(error, QCoreApplication::translate("FileRWLite", "File is too large"));
        return QString();
    }
    return Win1252::decode(bytes);
}

bool FileWrite(const QString &path, const QString &text, QString *error)
{
    if (TextUtil::trimBlanks(text).isEmpty()) {
        setError(error, QCoreApplication::translate("FileRWLite", "Nothing to write"));
        return false;
    }
    if (path.isEmpty() || path.contains(QChar(0))) {
        setError(error, QCoreApplication::translate("FileRWLite", "Invalid file name"));
        return false;
    }
    const QByteArray bytes = Win1252::encode(text);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return writeInPlace(path, bytes, error);

    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error, f.errorString());
        return false;
    }
    if (!writeAll(f, bytes, error)) {
        f.cancelWriting(); // the temporary file goes with f
        return false;
    }
    if (!f.commit()) {
        setError(error, f.errorString());
        return false;
    }
    return true;
}

} // namespace mFileRWLite
