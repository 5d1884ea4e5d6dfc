// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLog.h"

#include "VisibleBytes.h"

#include <QTime>

#include <cstdio>

CommandLog::CommandLog() = default;

CommandLog::~CommandLog()
{
    close();
}

bool CommandLog::open(const QString &file, bool toStderr, QString *error)
{
    close();
    if (file.isEmpty() && !toStderr)
        return true;
    m_file = std::make_unique<QFile>();
    bool ok;
    if (file.isEmpty()) {
        ok = m_file->open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    } else {
        m_file->setFileName(file);
        ok = m_file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }
    if (!ok) {
        if (error)
            *error = QStringLiteral("cannot open the log %1: %2").arg(file, m_file->errorString());
        m_file.reset();
    }
    return ok;
}

void CommandLog::close()
{
    m_file.reset();
}

void CommandLog::received(const QByteArray &command)
{
    write("<- " + VisibleBytes::visible(command));
}

void CommandLog::note(const QString &text)
{
    write("-- " + text.toUtf8());
}

void CommandLog::write(const QByteArray &line)
{
    if (!m_file)
        return;
    const QByteArray stamp = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1();
    m_file->write(stamp + ' ' + line + '\n');
}
