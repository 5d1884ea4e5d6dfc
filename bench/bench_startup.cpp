// Start-up of presetta beside a bare Qt window built in the same tree: time
// from starting the process until its window is first painted (the first
// frame complete), and peak RSS.
#include "ChildRun.h"
#include "MarkdownTable.h"
#include "ProbeLine.h"
#include "Stats.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kStartGoal = 1.5;
constexpr double kRssGoal = 1.3;

struct Figures {
    QList<double> firstPaintMs;
    QList<double> peakRssMiB;
};

void fail(const QString &why)
{
    std::fprintf(stderr, "bench_startup: %s\n", qPrintable(why));
    std::exit(1);
}

void measure(const QString &program, const QStringList &env, Figures &into)
{
    const ChildRun::Result r = ChildRun::run(program, env);
    if (!r.ok)
        fail(r.error);
    const auto painted = ProbeLine::parse(r.output);
    if (!painted)
        fail(QStringLiteral("%1 printed no first paint").arg(program));
    into.firstPaintMs << double(*painted - r.startNs) / 1e6;
    into.peakRssMiB << double(r.peakRssKiB) / 1024.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Start-up of presetta against a bare Qt window"));
    cli.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Starts of each program."),
                                        QStringLiteral("n"), QStringLiteral("9"));
    cli.addOption(runsOption);
    cli.process(app);
    const int runs = qMax(1, cli.value(runsOption).toInt());

    const QDir here(QCoreApplication::applicationDirPath());
    const QString bare = here.filePath(QStringLiteral("bench_bare_window"));
    const QString text = here.filePath(QStringLiteral("bench_text_window"));
    const QString presetta = here.filePath(QStringLiteral("bench_presetta_window"));

    // Both get the same platform and an empty settings store of their own.
    QTemporaryDir config;
    if (!config.isValid())
        fail(QStringLiteral("no temporary folder"));
    QStringList env{QStringLiteral("XDG_CONFIG_HOME=") + config.path()};
    env << QStringLiteral("QT_QPA_PLATFORM=")
            + (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? QStringLiteral("offscreen")
                                                              : qEnvironmentVariable("QT_QPA_PLATFORM"));

    // Alternating, so a change in the machine's load touches both alike;
    // one start of each first, unmeasured, to warm the file cache.
    Figures bareFigures, textFigures, presettaFigures, discard;
    for (const QString &program : {bare, text, presetta})
        measure(program, env, discard);
    for (int i = 0; i < runs; ++i) {
        measure(bare, env, bareFigures);
        measure(text, env, textFigures);
        measure(presetta, env, presettaFigures);
    }

    const double bareMs = Stats::median(bareFigures.firstPaintMs);
    const double presettaMs = Stats::median(presettaFigures.firstPaintMs);
    const double bareRss = Stats::median(bareFigures.peakRssMiB);
    const double presettaRss = Stats::median(presettaFigures.peakRssMiB);

    MarkdownTable table({QStringLiteral("Program"), QStringLiteral("First paint ms"),
                         QStringLiteral("Peak RSS MiB")});
    table.addRow({QStringLiteral("bare Qt window"), MarkdownTable::number(bareMs, 1),
                  MarkdownTable::number(bareRss, 1)});
    table.addRow({QStringLiteral("Qt window with one line of text (reference)"),
                  MarkdownTable::number(Stats::median(textFigures.firstPaintMs), 1),
                  MarkdownTable::number(Stats::median(textFigures.peakRssMiB), 1)});
    table.addRow({QStringLiteral("presetta"), MarkdownTable::number(presettaMs, 1),
                  MarkdownTable::number(presettaRss, 1)});
    std::printf("%s\n", qPrintable(table.text()));

    MarkdownTable ratios({QStringLiteral("Ratio presetta / bare"), QStringLiteral("Value"),
                          QStringLiteral("Goal"), QStringLiteral("Met")});
    ratios.addRow({QStringLiteral("start-up to first paint"), MarkdownTable::number(presettaMs / bareMs, 2),
                   QStringLiteral("≤ %1").arg(kStartGoal), MarkdownTable::meets(presettaMs / bareMs, kStartGoal)});
    ratios.addRow({QStringLiteral("peak RSS"), MarkdownTable::number(presettaRss / bareRss, 2),
                   QStringLiteral("≤ %1").arg(kRssGoal), MarkdownTable::meets(presettaRss / bareRss, kRssGoal)});
    std::printf("%s\n", qPrintable(ratios.text()));
    std::printf("Medians of %d starts each, taking turns, platform %s. The goals compare with the bare"
                " window; the window with text shows what fonts and text layout alone add.\n", runs,
                qPrintable(env.last().section(QLatin1Char('='), 1)));
    return 0;
}
