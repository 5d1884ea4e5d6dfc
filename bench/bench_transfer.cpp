// Download and upload of 99 channels through the real window against the
// receiver simulator, and the CPU share while connected and idle.
#include "BenchEnvironment.h"
#include "MarkdownTable.h"
#include "ProtocolFloor.h"
#include "SimRoundTrip.h"
#include "SimulatorThread.h"
#include "Stats.h"
#include "TransferCheck.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kChannels = 99;
constexpr double kDownloadRatioGoal = 1.05;
constexpr double kUploadRatioGoal = 1.15;
constexpr double kTransferCpuGoal = 0.02;
constexpr double kIdleCpuGoal = 0.005;
// The poll period the window sets when it connects.
constexpr int kPollMs = 25;

void fail(const QString &why)
{
    std::fprintf(stderr, "bench_transfer: %s\n", qPrintable(why));
    std::exit(1);
}

struct Series {
    QList<double> wall, process, thread;
    void add(const CpuClock::Reading &r)
    {
        wall << r.wall;
        process << r.process / r.wall;
        thread << r.thread / r.wall;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    BenchEnvironment env;
    QApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Transfers of 99 channels against presetta-sim"));
    cli.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Runs of each transfer."),
                                        QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption idleOption(QStringLiteral("idle-runs"),
                                        QStringLiteral("Idle stretches of 10 s."), QStringLiteral("n"),
                                        QStringLiteral("3"));
    const QCommandLineOption onlyOption(QStringLiteral("only"),
                                        QStringLiteral("Measure one thing alone (for profiling): "
                                                       "download, upload or idle."),
                                        QStringLiteral("what"));
    cli.addOption(runsOption);
    cli.addOption(idleOption);
    cli.addOption(onlyOption);
    cli.process(app);
    const int runs = qMax(1, cli.value(runsOption).toInt());
    const int idleRuns = qMax(1, cli.value(idleOption).toInt());
    const QString only = cli.value(onlyOption);
    auto wanted = [&](const char *what) { return only.isEmpty() || only == QLatin1String(what); };
    if (!env.isValid())
        fail(QStringLiteral("no temporary folder"));

    SimulatorThread sim(kChannels);
    QString error;
    if (!sim.start(&error))
        fail(error);

    // The simulator's own answer times, measured before the window holds the port.
    const QByteArray downloadReply = sim.downloadReply();
    const QByteArray entryReply = sim.acceptedReply();
    QList<double> downloadAnswers, entryAnswers;
    {
        SimRoundTrip probe(sim.devicePath());
        if (!probe.isOpen())
            fail(QStringLiteral("cannot open %1").arg(sim.devicePath()));
        for (int i = 0; i < 5; ++i)
            downloadAnswers << probe.measure("s", downloadReply.size());
        for (int n = 1; n <= 20; ++n)
            entryAnswers << probe.measure(sim.entryCommand(n), entryReply.size());
    }
    for (const double a : downloadAnswers + entryAnswers)
        if (a < 0)
            fail(QStringLiteral("the simulator did not answer the probe"));
    const double downloadAnswer = Stats::median(downloadAnswers);
    const double entryAnswer = Stats::median(entryAnswers);

    WindowUnderTest window(sim.devicePath(), env.programPath());
    if (!window.connectPort())
        fail(QStringLiteral("the window could not connect to %1").arg(sim.devicePath()));
    window.idle(500);

    Series down, up;
    qint64 commandBytes = 0;
    for (int run = 0; run < runs && (wanted("download") || wanted("upload")); ++run) {
        const WindowUnderTest::Transfer d = window.download();
        if (!d.messages.isEmpty())
            fail(QStringLiteral("download: ") + d.messages.join(QStringLiteral("; ")));
        const QString wrong = TransferCheck::downloaded(window.table(), kChannels);
        if (!wrong.isEmpty())
            fail(QStringLiteral("download: ") + wrong);
        if (wanted("download"))
            down.add(d.total);
        if (!wanted("upload"))
            continue;

        sim.clearReceived();
        const int commandsBefore = sim.commandCount();
        const WindowUnderTest::Transfer u = window.upload();
        if (!u.messages.isEmpty())
            fail(QStringLiteral("upload: ") + u.messages.join(QStringLiteral("; ")));
        const int sent = sim.commandCount() - commandsBefore;
        if (sent != kChannels)
            fail(QStringLiteral("upload sent %1 entries, not %2").arg(sent).arg(kChannels));
        commandBytes = sim.receivedByteCount();
        up.add(u.total);
    }

    Series idle;
    for (int run = 0; run < idleRuns && wanted("idle"); ++run)
        idle.add(window.idle(10000));
    if (!window.isConnected())
        fail(QStringLiteral("the connection was lost"));

    // What the poll's period costs by itself on this machine: disconnected,
    // a timer of the same period that does nothing.
    Series reference;
    if (wanted("idle")) {
        if (!window.disconnectPort())
            fail(QStringLiteral("the window did not disconnect"));
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &tick, [] {});
        tick.start(kPollMs);
        for (int run = 0; run < idleRuns; ++run)
            reference.add(window.idle(10000));
    }

    const double downloadFloor = ProtocolFloor::download(1, downloadReply.size(), downloadAnswer);
    const double uploadFloor = ProtocolFloor::upload(kChannels, commandBytes, entryReply.size(), entryAnswer);
    const double downWall = Stats::median(down.wall);
    const double upWall = Stats::median(up.wall);

    MarkdownTable table({QStringLiteral("Measure"), QStringLiteral("Wall s"), QStringLiteral("Floor s"),
                         QStringLiteral("Ratio"), QStringLiteral("Goal"), QStringLiteral("Met"),
                         QStringLiteral("CPU process"), QStringLiteral("CPU window thread"),
                         QStringLiteral("CPU goal"), QStringLiteral("Met")});
    auto transferRow = [&](const QString &name, const Series &s, double wall, double floor, double goal) {
        const double cpu = Stats::median(s.process);
        table.addRow({name, MarkdownTable::number(wall, 3), MarkdownTable::number(floor, 3),
                      MarkdownTable::number(wall / floor, 3), QStringLiteral("≤ %1").arg(goal),
                      MarkdownTable::meets(wall / floor, goal), MarkdownTable::percent(cpu),
                      MarkdownTable::percent(Stats::median(s.thread)),
                      QStringLiteral("≤ ") + MarkdownTable::percent(kTransferCpuGoal, 0),
                      MarkdownTable::meets(cpu, kTransferCpuGoal)});
    };
    if (!down.wall.isEmpty())
        transferRow(QStringLiteral("Download, 99 channels"), down, downWall, downloadFloor, kDownloadRatioGoal);
    if (!up.wall.isEmpty())
        transferRow(QStringLiteral("Upload, 99 channels"), up, upWall, uploadFloor, kUploadRatioGoal);
    const double idleCpu = Stats::median(idle.process);
    if (!idle.wall.isEmpty())
        table.addRow({QStringLiteral("Connected, idle"), MarkdownTable::number(Stats::median(idle.wall), 3),
                  QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"),
                  MarkdownTable::percent(idleCpu), MarkdownTable::percent(Stats::median(idle.thread)),
                  QStringLiteral("≤ ") + MarkdownTable::percent(kIdleCpuGoal, 1),
                  MarkdownTable::meets(idleCpu, kIdleCpuGoal)});

    if (!reference.wall.isEmpty())
        table.addRow({QStringLiteral("Reference: a bare %1 ms timer").arg(kPollMs),
                      MarkdownTable::number(Stats::median(reference.wall), 3), QStringLiteral("-"),
                      QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"),
                      MarkdownTable::percent(Stats::median(reference.process)),
                      MarkdownTable::percent(Stats::median(reference.thread)), QStringLiteral("-"),
                      QStringLiteral("-")});
    std::printf("%s\n", qPrintable(table.text()));
    std::printf("Medians of %d transfer runs and %d idle stretches; CPU as a share of one core.\n",
                runs, idleRuns);
    std::printf("Download floor: waits %.3f s + %lld bytes on the wire %.3f s + simulator answer %.4f s.\n",
                ProtocolFloor::kDownloadWaits, static_cast<long long>(1 + downloadReply.size()),
                ProtocolFloor::wireSeconds(1 + downloadReply.size()), downloadAnswer);
    std::printf("Upload floor: %d x (waits %.3f s + reply %lld bytes %.4f s + simulator answer %.4f s)"
                " + %lld command bytes %.3f s.\n",
                kChannels, ProtocolFloor::kEntryWaits, static_cast<long long>(entryReply.size()),
                ProtocolFloor::wireSeconds(entryReply.size()), entryAnswer,
                static_cast<long long>(commandBytes), ProtocolFloor::wireSeconds(commandBytes));
    std::printf("The simulator runs in this process on a thread of its own: \"CPU process\" includes it,"
                " \"CPU window thread\" is the program alone.\n");
    if (!reference.wall.isEmpty())
        std::printf("The reference row is the window disconnected with a %d ms timer that does nothing:"
                    " the part of the idle figure that the poll's period alone costs here.\n", kPollMs);
    return 0;
}
