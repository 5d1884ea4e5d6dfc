// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Band limits, the band rules and the bandwidth tables.
namespace Bands {

constexpr qint16 kNone = -1;
constexpr qint16 kAM = 0;
constexpr qint16 kFM = 1;

constexpr int kAmTableSize = 5;
constexpr int kFmTableSize = 17;
extern const int kAmBandwidth[kAmTableSize];   // kHz; position 0 unused
extern const int kFmBandwidth[kFmTableSize];   // kHz; position 0 is AUTO

// The four limits as texts, as the receiver reports them.
struct Limits {
    QString aMin = QStringLiteral("144");
    QString aMax = QStringLiteral("27000");
    QString fMin = QStringLiteral("65000");
    QString fMax = QStringLiteral("108000");
};

// Editor and file rule: AM when inside the AM limits (tested first), FM when
// inside the FM limits, else none. Bounds inclusive, limits read afresh.
qint16 bandOf(qint64 kHz, const Limits &limits);

// Download rule: below 1 none, inside the FM limits FM, anything else AM.
qint16 bandOfReceived(qint64 kHz, const Limits &limits);

// Choice list items offered for a band (empty for no band).
QStringList bandwidthChoices(qint16 band);
QStringList stereoChoices(qint16 band);

} // namespace Bands
