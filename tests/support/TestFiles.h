// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files, settings and the clock as the tests see them: bytes in and out, a
// settings store and a fixed time of their own.

#include "identity/ProgramIdentity.h"
#include "platform/Clock.h"
#include "settings/Registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

inline const QByteArray kCsvHeader = "Freq(KHz);Name(PS);PI-Code;BWidth;Stereo(Auto)\r\n";

// The current data row's value of a column, for use inside an expression.
template <typename T>
T cell(const char *column)
{
    return *static_cast<T *>(QTest::qData(column, qMetaTypeId<T>()));
}

// Full settings path of one of the program's values ("\\LastDir", ...).
inline QString settingPath(const char *suffix)
{
    return ProgramIdentity::settingsPath() + QLatin1String(suffix);
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A memory file: the header, the given data lines, then empty entries (as a
// save writes them after a download) up to `count`.
inline QByteArray memoryFile(const QList<QByteArray> &lines, int count = 99)
{
    QByteArray out = kCsvHeader;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    for (qsizetype k = lines.size(); k < count; ++k)
        out += "0;;;0;0\r\n";
    return out;
}

// A settings store and a folder for files, both temporary, and the clock
// fixed at 2025-07-01 14:32:10, for a test function or a whole program.
class TestStore
{
public:
    TestStore()
    {
        mRegistry2::setStoreFile(m_store.filePath(QStringLiteral("registry.json")));
        const QDateTime now(QDate(2025, 7, 1), QTime(14, 32, 10));
        Clock::setSource([now] { return now; });
    }
    ~TestStore()
    {
        Clock::setSource({});
        mRegistry2::setStoreFile(QString());
    }

    bool isValid() const { return m_store.isValid() && m_files.isValid(); }
    QString dir() const { return m_files.path(); }
    QString file(const QString &name) const { return m_files.filePath(name); }

private:
    QTemporaryDir m_store;
    QTemporaryDir m_files;
};
