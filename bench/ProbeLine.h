#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The line a start-up probe prints at its first paint: the monotonic clock
// in nanoseconds, which the launching process reads on the same clock.
namespace ProbeLine {

qint64 monotonicNs();
QByteArray format(qint64 ns);
// The time from the first probe line in output; none when there is none.
std::optional<qint64> parse(const QByteArray &output);

} // namespace ProbeLine
