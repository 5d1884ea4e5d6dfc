#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What a finished (or abandoned) program left behind.
struct ProcessResult {
    bool started = false;
    bool exitedNormally = false; // false on a crash, a failed start or a time-out
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString command;

    bool succeeded() const { return exitedNormally && exitCode == 0; }
    // One line for a failure message: command, exit and stderr.
    QString describe() const;
};

// Runs a program to its end while the event loop keeps turning, so nothing
// blocks; a program still running after the time-out is killed.
namespace ProcessRun {

constexpr int kDefaultTimeoutMs = 300000;

ProcessResult run(const QString &program, const QStringList &arguments,
                  const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                  int timeoutMs = kDefaultTimeoutMs);

// The path of a tool on PATH, or an empty text.
QString findTool(const QString &name);

} // namespace ProcessRun
