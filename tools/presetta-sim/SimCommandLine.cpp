// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimCommandLine.h"

#include <QCommandLineParser>

#include <optional>

namespace {

const char kDescription[] =
    "Plays an FM/AM RDS receiver on a pseudo-terminal for Presetta.\n"
    "\n"
    "Prints the device path as the first line on stdout, adds\n"
    "\"<path>|Receiver simulator\" to the settings value \\ExtraPorts while it runs\n"
    "(unless --no-register) and ends on SIGINT, SIGTERM or SIGHUP.\n"
    "\n"
    "Commands it understands:\n"
    "  s                  (one byte at the start of a line, no line end) memory list:\n"
    "                     r:, v:, m:<count>, s:, o:, a:<amMin>,<amMax>,\n"
    "                     f:<fmMin>,<fmMax>, then n,freq,bw,stereo,PI,name for\n"
    "                     each stored channel\n"
    "  Sn,freq,bw,st,PI,name<LF>\n"
    "                     store an entry; answered S:<status>\n"
    "  $time: HH:NN:SS<LF> set the clock; answered T:HH:NN:SS (T:ERR when the\n"
    "                     time is malformed; the clock then stays)\n"
    "Every other line is logged and ignored. A CR before the LF is ignored. A\n"
    "line longer than 4096 bytes keeps its first 4096.\n"
    "\n"
    "Entry checks (status 128 when all pass and the entry is stored):\n"
    "  bit 1 (2)   memory number not 1..count\n"
    "  bit 0 (1)   frequency neither 0 nor inside the AM or FM limits\n"
    "  bit 4 (16)  memory 1 sent with frequency 0\n"
    "  bit 2 (4)   bandwidth code not of the frequency's band: FM 0..16,\n"
    "              AM 1..4; an empty entry (frequency 0) takes any code\n"
    "  bit 3 (8)   stereo code not 0 or 1\n"
    "  bit 5 (32)  PI not 0 to 4 hexadecimal digits\n"
    "Number fields are plain decimal digits (no sign, no blanks, at most 9). A\n"
    "frequency inside both bands (overlapping limits) takes the codes of\n"
    "either. The name is the rest of the line and is stored as sent; an entry\n"
    "with frequency 0 empties its memory.";

std::optional<int> wholeNumber(const QString &text, int lo, int hi)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi)
        return std::nullopt;
    return v;
}

std::optional<std::pair<qint32, qint32>> limitPair(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    const auto lo = wholeNumber(parts[0], 0, 999999999);
    const auto hi = wholeNumber(parts[1], 0, 999999999);
    if (!lo || !hi || *lo > *hi)
        return std::nullopt;
    return std::make_pair(*lo, *hi);
}

struct Parser {
    QCommandLineParser p;
    QCommandLineOption count{QStringLiteral("count"),
                             QStringLiteral("Memory channels, 0..9999 (default 99)."), QStringLiteral("n")};
    QCommandLineOption am{QStringLiteral("am"), QStringLiteral("AM limits in kHz (default 144,27000)."),
                          QStringLiteral("min,max")};
    QCommandLineOption fm{QStringLiteral("fm"), QStringLiteral("FM limits in kHz (default 65000,108000)."),
                          QStringLiteral("min,max")};
    QCommandLineOption store{QStringLiteral("store"),
                             QStringLiteral("Keep the memories in this file between runs (read at start, "
                                            "written after changes)."),
                             QStringLiteral("file")};
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Start with a sample list of stations (unless the store file holds "
                                           "some).")};
    QCommandLineOption lf{QStringLiteral("lf"), QStringLiteral("End reply lines with LF instead of CR LF.")};
    QCommandLineOption delay{QStringLiteral("delay"), QStringLiteral("Wait this long before each reply."),
                             QStringLiteral("ms")};
    QCommandLineOption byteDelay{QStringLiteral("byte-delay"),
                                 QStringLiteral("Slow link: pause between reply bytes (3000 bytes at 1 ms "
                                                "take over 3 s)."),
                                 QStringLiteral("ms")};
    QCommandLineOption silent{QStringLiteral("silent"),
                              QStringLiteral("Never answer (commands still take effect).")};
    QCommandLineOption status{QStringLiteral("status"),
                              QStringLiteral("Answer every entry with S:<n>, 0..65535; the checks still "
                                             "decide whether it is stored."),
                              QStringLiteral("n")};
    QCommandLineOption garbage{QStringLiteral("garbage"),
                               QStringLiteral("Send a junk line before each reply, or instead of it."),
                               QStringLiteral("before|instead")};
    QCommandLineOption hangUp{QStringLiteral("hang-up-after"),
                              QStringLiteral("Hang up (close the terminal and end) after n commands, once "
                                             "the last reply has been read."),
                              QStringLiteral("n")};
    QCommandLineOption log{QStringLiteral("log"),
                           QStringLiteral("Log received commands to this file instead of stderr."),
                           QStringLiteral("file")};
    QCommandLineOption quiet{QStringLiteral("quiet"), QStringLiteral("Log nothing to stderr.")};
    QCommandLineOption noRegister{QStringLiteral("no-register"),
                                  QStringLiteral("Leave the settings value \\ExtraPorts alone.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help.")};

    Parser()
    {
        p.setApplicationDescription(QString::fromLatin1(kDescription));
        p.addOptions({count, am, fm, store, demo, lf, delay, byteDelay, silent, status, garbage, hangUp, log, quiet,
                      noRegister, help});
    }
};

} // namespace

QString SimCommandLine::helpText()
{
    Parser parser;
    return parser.p.helpText();
}

bool SimCommandLine::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool SimCommandLine::parse(const QStringList &arguments)
{
    Parser parser;
    QCommandLineParser &p = parser.p;
    if (!p.parse(arguments))
        return fail(p.errorText());
    if (!p.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1").arg(p.positionalArguments().first()));
    m_help = p.isSet(parser.help);

    SimOptions o;
    auto number = [&](const QCommandLineOption &opt, int lo, int hi, int &into) {
        if (!p.isSet(opt))
            return true;
        const auto v = wholeNumber(p.value(opt), lo, hi);
        if (!v)
            return fail(QStringLiteral("--%1 wants a whole number from %2 to %3")
                            .arg(opt.names().first())
                            .arg(lo)
                            .arg(hi));
        into = *v;
        return true;
    };
    if (!number(parser.count, 0, SimOptions::kMaxCount, o.memoryCount)
        || !number(parser.delay, 0, 600000, o.answerDelayMs)
        || !number(parser.byteDelay, 0, 60000, o.byteDelayMs)
        || !number(parser.status, 0, 65535, o.fixedStatus)
        || !number(parser.hangUp, 1, 1000000000, o.hangUpAfter))
        return false;

    if (p.isSet(parser.am)) {
        const auto l = limitPair(p.value(parser.am));
        if (!l)
            return fail(QStringLiteral("--am wants min,max in kHz"));
        o.limits.amMin = l->first;
        o.limits.amMax = l->second;
    }
    if (p.isSet(parser.fm)) {
        const auto l = limitPair(p.value(parser.fm));
        if (!l)
            return fail(QStringLiteral("--fm wants min,max in kHz"));
        o.limits.fmMin = l->first;
        o.limits.fmMax = l->second;
    }
    if (p.isSet(parser.garbage)) {
        const QString g = p.value(parser.garbage);
        if (g == QLatin1String("before"))
            o.garbage = GarbageMode::Before;
        else if (g == QLatin1String("instead"))
            o.garbage = GarbageMode::Instead;
        else
            return fail(QStringLiteral("--garbage wants before or instead"));
    }
    o.storeFile = p.value(parser.store);
    o.demo = p.isSet(parser.demo);
    o.lfOnly = p.isSet(parser.lf);
    o.neverAnswer = p.isSet(parser.silent);
    o.logFile = p.value(parser.log);
    o.logToStderr = o.logFile.isEmpty() && !p.isSet(parser.quiet);
    m_register = !p.isSet(parser.noRegister);
    m_options = o;
    return true;
}
