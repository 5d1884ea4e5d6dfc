#include "ProbeLine.h"

#include <QList>

#include <ctime>

namespace ProbeLine {

namespace {
const QByteArray kKey = QByteArrayLiteral("first-paint-ns ");
} // namespace

qint64 monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

QByteArray format(qint64 ns)
{
    return kKey + QByteArray::number(ns) + '\n';
}

std::optional<qint64> parse(const QByteArray &output)
{
    for (const QByteArray &line : output.split('\n')) {
        if (!line.startsWith(kKey))
            continue;
        bool ok = false;
        const qint64 ns = line.mid(kKey.size()).trimmed().toLongLong(&ok);
        if (ok && ns > 0)
            return ns;
    }
    return std::nullopt;
}

} // namespace ProbeLine
