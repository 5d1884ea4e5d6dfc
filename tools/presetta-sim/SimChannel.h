// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// One stored memory channel, its text fields kept as the bytes that came in.
struct SimChannel {
    qint32 frequency = 0;
    int bandwidth = 0;
    int stereo = 0;
    QByteArray pi;
    QByteArray name;

    // "n,freq,bw,stereo,PI,name" without line end: the download reply's memory
    // line, and the line of the store file.
    QByteArray memoryLine(int n) const;

    struct Numbered;
    // Reads a memory line back. Number, frequency and codes must be plain
    // decimals; PI and name are taken as they stand.
    static std::optional<Numbered> fromMemoryLine(const QByteArray &line);

    bool operator==(const SimChannel &o) const
    {
        return frequency == o.frequency && bandwidth == o.bandwidth && stereo == o.stereo
            && pi == o.pi && name == o.name;
    }
    bool operator!=(const SimChannel &o) const { return !(*this == o); }
};

struct SimChannel::Numbered {
    int number = 0;
    SimChannel channel;
};
