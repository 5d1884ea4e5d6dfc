#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Starts a program, collects its standard output and waits for it, taking
// its own resource use from wait4 (peak RSS of that child alone).
class ChildRun
{
public:
    struct Result {
        bool ok = false;          // started and exited with status 0
        QString error;
        qint64 startNs = 0;       // ProbeLine clock, just before the start
        QByteArray output;
        qint64 peakRssKiB = 0;
    };

    // env: "NAME=value" entries set on top of this process's environment.
    static Result run(const QString &program, const QStringList &env, int timeOutMs = 60000);
};
