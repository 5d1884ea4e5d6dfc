#include "ProcessRun.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

QString ProcessResult::describe() const
{
    QString s = command + QStringLiteral(": ");
    if (!started)
        s += QStringLiteral("did not start");
    else if (!exitedNormally)
        s += QStringLiteral("crashed or timed out");
    else
        s += QStringLiteral("exit %1").arg(exitCode);
    const QString e = QString::fromLocal8Bit(err).trimmed();
    if (!e.isEmpty())
        s += QStringLiteral("\n") + e;
    return s;
}

namespace ProcessRun {

namespace {

// Sleeps in the event loop until the process ends or the time runs out.
bool waitForEnd(QProcess &process, int timeoutMs)
{
    if (process.state() == QProcess::NotRunning)
        return true;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    // A crash reports an error before `finished`; only a failed start ends here.
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    limit.start(timeoutMs);
    loop.exec();
    return process.state() == QProcess::NotRunning;
}

} // namespace

ProcessResult run(const QString &program, const QStringList &arguments,
                  const QProcessEnvironment &environment, int timeoutMs)
{
    ProcessResult r;
    r.command = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.closeWriteChannel();
    const bool ended = waitForEnd(process, timeoutMs);
    r.started = process.error() != QProcess::FailedToStart;
    if (!r.started)
        return r;
    if (!ended) {
        process.kill();
        waitForEnd(process, 30000);
        r.err = process.readAllStandardError();
        return r;
    }
    r.exitedNormally = process.exitStatus() == QProcess::NormalExit;
    r.exitCode = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

QString findTool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

} // namespace ProcessRun
