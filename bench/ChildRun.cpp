#include "ChildRun.h"

#include "ProbeLine.h"

#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// This environment with the overrides applied (same name replaced).
std::vector<QByteArray> environmentWith(const QStringList &overrides)
{
    std::vector<QByteArray> env;
    for (char **e = environ; *e; ++e) {
        const QByteArray entry(*e);
        const QByteArray name = entry.left(entry.indexOf('=') + 1);
        bool replaced = false;
        for (const QString &o : overrides)
            replaced = replaced || o.toLocal8Bit().startsWith(name);
        if (!replaced)
            env.push_back(entry);
    }
    for (const QString &o : overrides)
        env.push_back(o.toLocal8Bit());
    return env;
}

} // namespace

ChildRun::Result ChildRun::run(const QString &program, const QStringList &env, int timeOutMs)
{
    Result r;
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        r.error = QString::fromLocal8Bit(std::strerror(errno));
        return r;
    }
    // Only our end is non-blocking; the child writes as usual.
    ::fcntl(out[0], F_SETFL, ::fcntl(out[0], F_GETFL) | O_NONBLOCK);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const QByteArray path = program.toLocal8Bit();
    std::vector<QByteArray> envStore = environmentWith(env);
    std::vector<char *> envp;
    for (QByteArray &e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};

    pid_t pid = 0;
    r.startNs = ProbeLine::monotonicNs();
    const int spawned = ::posix_spawn(&pid, path.constData(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        r.error = QStringLiteral("%1: %2").arg(program, QString::fromLocal8Bit(std::strerror(spawned)));
        return r;
    }

    QElapsedTimer clock;
    clock.start();
    char buffer[4096];
    bool timedOut = false;
    for (;;) {
        const qint64 left = timeOutMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        pollfd p{out[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left));
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n == 0)
            break;   // the child closed its output: it has ended
        if (n > 0)
            r.output.append(buffer, n);
        else if (errno != EINTR && errno != EAGAIN)
            break;
    }
    ::close(out[0]);

    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    r.peakRssKiB = usage.ru_maxrss;
    if (timedOut)
        r.error = QStringLiteral("%1 did not end within %2 ms").arg(program).arg(timeOutMs);
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        r.error = QStringLiteral("%1 ended with status %2").arg(program).arg(status);
    r.ok = r.error.isEmpty();
    return r;
}
