// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every benchmark shares: its own environment, the clocks, the median,
// the Markdown table and the least time the protocol allows.

#include <QStringList>

#include <ctime>

namespace Bench {

// Called before the application object: offscreen unless a platform is
// named, and a home, data, settings, cache and runtime folder of our own
// (children inherit them all), so nothing of the user's takes part or is
// touched: no settings, backups or documents.
void prepareEnvironment();
// Machine, system, Qt, platform and load, printed above the tables.
QString environmentLine();

[[noreturn]] void fail(const QString &why);

inline double clockSeconds(clockid_t id)
{
    timespec t{};
    clock_gettime(id, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}
// Monotonic nanoseconds, the same clock in every process.
inline qint64 monotonicNs()
{
    return qint64(clockSeconds(CLOCK_MONOTONIC) * 1e9);
}

// Wall time beside the CPU time of the whole process and of this thread:
// take one before and one after, the difference is what the work cost.
struct Cpu {
    double wall = 0, process = 0, thread = 0;   // seconds
    static Cpu now()
    {
        return {clockSeconds(CLOCK_MONOTONIC), clockSeconds(CLOCK_PROCESS_CPUTIME_ID),
                clockSeconds(CLOCK_THREAD_CPUTIME_ID)};
    }
    Cpu operator-(const Cpu &o) const { return {wall - o.wall, process - o.process, thread - o.thread}; }
};

// Other jobs share the machine, so every figure is a median of runs; 0 for none.
double median(QList<double> values);

// A Markdown table, the first row its header, so the README takes it as it
// is; numbers right-aligned.
QString markdown(const QList<QStringList> &rows);
inline QString number(double value, int decimals) { return QString::number(value, 'f', decimals); }
inline QString percent(double share) { return number(share * 100, 2) + QLatin1Char('%'); }
inline QString meets(double value, double goal) { return value <= goal ? "yes" : "NO"; }

// The least time a transfer can take: the protocol's fixed waits, the bytes
// at 115200 baud with 10 bits a byte, and the receiver's answer time.
namespace Floor {
// Request queued; the quiet gap that ends a whole reply; reply collected.
constexpr double kDownloadWaits = 0.1 + 0.2 + 0.025;
// Per entry: before writing, after writing, after reading.
constexpr double kEntryWaits = 0.025 + 0.025 + 0.025;
inline double wire(qint64 bytes) { return double(bytes) * 10 / 115200; }
inline double download(qint64 requestBytes, qint64 replyBytes, double answer)
{
    return kDownloadWaits + wire(requestBytes + replyBytes) + answer;
}
inline double upload(int entries, qint64 commandBytes, qint64 replyBytesEach, double answerEach)
{
    return entries * (kEntryWaits + answerEach + wire(replyBytesEach)) + wire(commandBytes);
}
} // namespace Floor

} // namespace Bench
