// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// One memory channel of the receiver.
struct MemoryEntry {
    static constexpr int kPiWidth = 4;
    static constexpr int kNameWidth = 9;

    qint16 band = -1;       // 0 AM, 1 FM, -1 none
    qint32 frequency = 0;   // kHz; 0 or less means empty
    quint8 bandwidth = 0;   // code into the band's bandwidth table
    quint8 stereo = 0;      // 0 mono, anything else automatic stereo
    // A field never stored into holds blanks, not NULs: a NUL must never
    // reach the screen, a file or the wire.
    QString pi = QString(kPiWidth, QLatin1Char(' '));
    QString name = QString(kNameWidth, QLatin1Char(' '));

    // First `width` characters of text, padded with blanks on the right.
    static QString fixedWidth(const QString &text, int width);

    void setPi(const QString &text) { pi = fixedWidth(text, kPiWidth); }
    void setName(const QString &text) { name = fixedWidth(text, kNameWidth); }
    bool isEmpty() const { return frequency <= 0; }

    bool operator==(const MemoryEntry &o) const
    {
        return band == o.band && frequency == o.frequency && bandwidth == o.bandwidth
            && stereo == o.stereo && pi == o.pi && name == o.name;
    }
    bool operator!=(const MemoryEntry &o) const { return !(*this == o); }
};
