// How the download's list rebuild grows with the number of memories: 99,
// 999 and 9999 channels, the time it takes beyond the fixed waits, per line.
#include "BenchEnvironment.h"
#include "MarkdownTable.h"
#include "ProtocolFloor.h"
#include "SimulatorThread.h"
#include "Stats.h"
#include "TransferCheck.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

// "Flat": the cost of a line at 9999 lines stays within this factor of the
// cost at 99.
constexpr double kFlatGoal = 1.5;

void fail(const QString &why)
{
    std::fprintf(stderr, "bench_scale: %s\n", qPrintable(why));
    std::exit(1);
}

struct Row {
    int count = 0;
    double wall = 0;
    double rebuild = 0;        // wall seconds, first line added to the end
    double rebuildCpu = 0;     // window thread CPU seconds in that time
};

Row measure(const BenchEnvironment &env, int count, int runs)
{
    SimulatorThread sim(count);
    QString error;
    if (!sim.start(&error))
        fail(error);
    WindowUnderTest window(sim.devicePath(), env.programPath());
    if (!window.connectPort())
        fail(QStringLiteral("the window could not connect to %1").arg(sim.devicePath()));
    window.idle(300);

    QList<double> wall, rebuild, cpu;
    for (int run = 0; run < runs; ++run) {
        const WindowUnderTest::Transfer d = window.download();
        if (!d.messages.isEmpty())
            fail(QStringLiteral("download of %1: %2").arg(count).arg(d.messages.join(QStringLiteral("; "))));
        const QString wrong = TransferCheck::downloaded(window.table(), count);
        if (!wrong.isEmpty())
            fail(QStringLiteral("download of %1: %2").arg(count).arg(wrong));
        if (d.rebuild.wall < 0)
            fail(QStringLiteral("download of %1 did not rebuild the list").arg(count));
        wall << d.total.wall;
        rebuild << d.rebuild.wall;
        cpu << d.rebuild.thread;
    }
    return {count, Stats::median(wall), Stats::median(rebuild), Stats::median(cpu)};
}

} // namespace

int main(int argc, char *argv[])
{
    BenchEnvironment env;
    QApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Download rebuild time per line for 99, 999 and 9999 channels"));
    cli.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Downloads of each size."),
                                        QStringLiteral("n"), QStringLiteral("3"));
    cli.addOption(runsOption);
    cli.process(app);
    const int runs = qMax(1, cli.value(runsOption).toInt());
    if (!env.isValid())
        fail(QStringLiteral("no temporary folder"));

    QList<Row> rows;
    for (const int count : {99, 999, 9999})
        rows << measure(env, count, runs);

    const double base = rows.first().rebuild / rows.first().count;
    MarkdownTable table({QStringLiteral("Channels"), QStringLiteral("Wall s"), QStringLiteral("Beyond waits s"),
                         QStringLiteral("Rebuild s"), QStringLiteral("Per line ms"),
                         QStringLiteral("CPU per line ms"), QStringLiteral("Per line vs 99"),
                         QStringLiteral("Goal"), QStringLiteral("Met")});
    for (const Row &r : rows) {
        const double perLine = r.rebuild / r.count;
        table.addRow({QString::number(r.count), MarkdownTable::number(r.wall, 3),
                      MarkdownTable::number(r.wall - ProtocolFloor::kDownloadWaits, 3),
                      MarkdownTable::number(r.rebuild, 3), MarkdownTable::number(perLine * 1000, 3),
                      MarkdownTable::number(r.rebuildCpu / r.count * 1000, 3),
                      MarkdownTable::number(perLine / base, 2), QStringLiteral("≤ %1").arg(kFlatGoal),
                      MarkdownTable::meets(perLine / base, kFlatGoal)});
    }
    std::printf("%s\n", qPrintable(table.text()));
    std::printf("Medians of %d downloads each. \"Beyond waits\": wall time less the fixed waits of %.3f s;"
                " \"Rebuild\": from the first list line added to the end of the command.\n",
                runs, ProtocolFloor::kDownloadWaits);
    return 0;
}
