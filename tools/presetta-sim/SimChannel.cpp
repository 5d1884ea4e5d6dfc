// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimChannel.h"

#include "DecimalField.h"

#include <QList>

QByteArray SimChannel::memoryLine(int n) const
{
    return QByteArray::number(n) + ',' + QByteArray::number(frequency) + ','
        + QByteArray::number(bandwidth) + ',' + QByteArray::number(stereo) + ',' + pi + ','
        + name;
}

std::optional<SimChannel::Numbered> SimChannel::fromMemoryLine(const QByteArray &line)
{
    // The name is the rest of the line: it may hold commas of its own.
    QList<QByteArray> f;
    qsizetype from = 0;
    while (f.size() < 5) {
        const qsizetype comma = line.indexOf(',', from);
        if (comma < 0)
            return std::nullopt;
        f << line.mid(from, comma - from);
        from = comma + 1;
    }
    f << line.mid(from);

    const auto n = DecimalField::read(f[0]);
    const auto freq = DecimalField::read(f[1]);
    const auto bw = DecimalField::read(f[2]);
    const auto st = DecimalField::read(f[3]);
    if (!n || !freq || !bw || !st)
        return std::nullopt;
    Numbered r;
    r.number = *n;
    r.channel.frequency = *freq;
    r.channel.bandwidth = *bw;
    r.channel.stereo = *st;
    r.channel.pi = f[4];
    r.channel.name = f[5];
    return r;
}
