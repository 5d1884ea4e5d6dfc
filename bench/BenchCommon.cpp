// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchCommon.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace Bench {

void prepareEnvironment()
{
    static QTemporaryDir home;   // goes at exit; made 0700, as a runtime folder must be
    if (!home.isValid())
        fail("no temporary folder");
    const QList<std::pair<const char *, QString>> folders{
        {"HOME", home.path()}, {"XDG_DATA_HOME", home.filePath(".local/share")},
        {"XDG_CONFIG_HOME", home.filePath(".config")}, {"XDG_CACHE_HOME", home.filePath(".cache")},
        {"XDG_STATE_HOME", home.filePath(".local/state")}, {"XDG_RUNTIME_DIR", home.path()}};
    for (const auto &[name, path] : folders)
        qputenv(name, QFile::encodeName(path));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString environmentLine()
{
    auto read = [](const char *path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QString cpu = QRegularExpression("model name\\s*: ([^\\n]*)").match(read("/proc/cpuinfo")).captured(1);
    return QString("Environment: %1, %2 cores, %3, Qt %4, platform %5, load %6")
        .arg(cpu.isEmpty() ? QSysInfo::currentCpuArchitecture() : cpu)
        .arg(QThread::idealThreadCount())
        .arg(QSysInfo::prettyProductName(), qVersion(), qEnvironmentVariable("QT_QPA_PLATFORM"),
             read("/proc/loadavg").section(' ', 0, 2));
}

void fail(const QString &why)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(why));
    std::exit(1);
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

QString markdown(const QList<QStringList> &rows)
{
    QList<qsizetype> width(rows.value(0).size(), 3);
    for (const QStringList &row : rows)
        for (qsizetype c = 0; c < row.size() && c < width.size(); ++c)
            width[c] = std::max(width[c], row[c].size());
    QString out;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        out += QLatin1Char('|');
        for (qsizetype c = 0; c < width.size(); ++c) {
            const QString cell = rows[r].value(c);
            const bool numeric = r > 0 && c > 0 && !cell.isEmpty()
                && (cell.at(0).isDigit() || cell.at(0) == QLatin1Char('-'));
            out += QLatin1Char(' ') + (numeric ? cell.rightJustified(width[c]) : cell.leftJustified(width[c]))
                + QStringLiteral(" |");
        }
        out += QLatin1Char('\n');
        if (r == 0) {
            for (const qsizetype w : width)
                out += QLatin1Char('|') + QString(w + 2, QLatin1Char('-'));
            out += QStringLiteral("|\n");
        }
    }
    return out;
}

} // namespace Bench
