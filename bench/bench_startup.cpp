// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of presetta beside a bare Qt window built in the same tree: time
// from starting the process until its first frame is painted, and peak RSS.
#include "BenchCommon.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace Bench;

namespace {

struct Figures {
    QList<double> firstPaintMs, peakRssMiB;
};

// Starts the program (it inherits our environment), reads its output until
// it ends, and takes that child's own peak RSS from wait4.
void measure(const QString &program, Figures *into)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        fail(QString::fromLocal8Bit(std::strerror(errno)));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    QByteArray path = QFile::encodeName(program);
    char *argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    const qint64 startNs = monotonicNs();
    const int spawned = ::posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0)
        fail(program + ": " + QString::fromLocal8Bit(std::strerror(spawned)));

    QByteArray output;
    char buffer[4096];
    ssize_t n = 1;
    for (pollfd p{out[0], POLLIN, 0}; ::poll(&p, 1, 60000) > 0 && (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    ::close(out[0]);
    if (n != 0)
        ::kill(pid, SIGKILL);   // silent for a minute, or its output broke: hung
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(QString("%1 ended with status %2").arg(program).arg(status));

    // The probe's line: "first-paint-ns" and the moment on our clock.
    const QList<QByteArray> words = output.simplified().split(' ');
    const qsizetype at = words.indexOf("first-paint-ns");
    const qint64 paintedNs = words.value(at + 1).toLongLong();
    if (at < 0 || paintedNs <= startNs)
        fail(program + " printed no first paint");
    into->firstPaintMs << double(paintedNs - startNs) / 1e6;
    into->peakRssMiB << double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char *argv[])
{
    prepareEnvironment();
    QCoreApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription("Start-up of presetta against a bare Qt window");
    cli.addHelpOption();
    const QCommandLineOption runsOption("runs", "Starts of each program.", "n", "9");
    const QCommandLineOption compareOption("compare", "Times another build's bench_presetta_window beside this"
                                                      " one's, for a before and after in the same run.", "program");
    cli.addOptions({runsOption, compareOption});
    cli.process(app);
    const int runs = qMax(1, cli.value(runsOption).toInt());
    std::printf("%s\n\n", qPrintable(environmentLine()));

    const QDir here(QCoreApplication::applicationDirPath());
    QStringList names{"bare Qt window", "Qt window with one line of text (reference)", "presetta"};
    QStringList programs{here.filePath("bench_bare_window"), here.filePath("bench_text_window"),
                         here.filePath("bench_presetta_window")};
    if (cli.isSet(compareOption)) {
        names << "presetta, " + cli.value(compareOption);
        programs << cli.value(compareOption);
    }
    const qsizetype count = programs.size();
    // One start of each first, unmeasured, to warm the file cache; then
    // taking turns, so a change in the machine's load touches all alike.
    QList<Figures> figures(count);
    Figures discard;
    for (const QString &program : programs)
        measure(program, &discard);
    for (int i = 0; i < runs; ++i)
        for (qsizetype p = 0; p < count; ++p)
            measure(programs[p], &figures[p]);

    QList<QStringList> table{{"Program", "First paint ms", "Peak RSS MiB", "Paint vs text window"}};
    for (qsizetype p = 0; p < count; ++p)
        table << QStringList{names[p], number(median(figures[p].firstPaintMs), 1),
                             number(median(figures[p].peakRssMiB), 1),
                             number(median(figures[p].firstPaintMs) / median(figures[1].firstPaintMs), 2)};
    const double start = median(figures[2].firstPaintMs) / median(figures[0].firstPaintMs);
    const double rss = median(figures[2].peakRssMiB) / median(figures[0].peakRssMiB);
    const QList<QStringList> ratios{{"Ratio presetta / bare", "Value", "Goal", "Met"},
                                    {"start-up to first paint", number(start, 2), "≤ 1.5", meets(start, 1.5)},
                                    {"peak RSS", number(rss, 2), "≤ 1.3", meets(rss, 1.3)}};
    std::printf("%s\n%s\nMedians of %d starts each, taking turns, platform %s. The goals compare with the bare"
                " window; the window with text shows what fonts and text layout alone add.\n",
                qPrintable(markdown(table)), qPrintable(markdown(ratios)), runs,
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM")));
    return 0;
}
