// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

// A line per received command (bytes made visible) and per notable event,
// to a file, to stderr, or nowhere.
class CommandLog
{
public:
    CommandLog();
    ~CommandLog();
    CommandLog(const CommandLog &) = delete;
    CommandLog &operator=(const CommandLog &) = delete;

    // An empty file with toStderr false logs nothing. The file is appended to.
    bool open(const QString &file, bool toStderr, QString *error);
    void close();

    void received(const QByteArray &command);
    void note(const QString &text);

private:
    void write(const QByteArray &line);

    std::unique_ptr<QFile> m_file;
};
