// SPDX-License-Identifier: GPL-3.0-or-later
#include "memlist/BulkEdit.h"

#include "memlist/Bands.h"

namespace BulkEdit {

Choices offered(const QVector<MemoryEntry> &entries, const QList<int> &rows)
{
    bool am = false;
    bool fm = false;
    for (int row : rows) {
        const MemoryEntry &e = entries[row];
        am = am || (!e.isEmpty() && e.band == Bands::kAM);
        fm = fm || (!e.isEmpty() && e.band == Bands::kFM);
    }
    Choices c;
    const QStringList fmWidths = Bands::bandwidthChoices(Bands::kFM);
    // AM's few kHz all lie below FM's: AUTO, then AM, then the rest of FM.
    if (fm)
        c.bandwidths << fmWidths.first();
    if (am)
        c.bandwidths << Bands::bandwidthChoices(Bands::kAM);
    if (fm) {
        c.bandwidths << fmWidths.mid(1);
        c.stereos = Bands::stereoChoices(Bands::kFM);
    }
    return c;
}

Result applied(const QVector<MemoryEntry> &entries, const QList<int> &rows, const QString &bandwidth,
               const QString &stereo)
{
    Result r;
    r.entries = entries;
    for (int row : rows) {
        MemoryEntry &e = r.entries[row];
        if (e.isEmpty())
            continue;
        if (!bandwidth.isEmpty()) {
            // The codes are the positions of the band's list; AM counts from 1.
            const int at = Bands::bandwidthChoices(e.band).indexOf(bandwidth);
            if (at < 0)
                ++r.refused;
            else
                e.bandwidth = quint8(e.band == Bands::kAM ? at + 1 : at);
        }
        const int stereoAt = Bands::stereoChoices(e.band).indexOf(stereo);
        if (stereoAt >= 0)
            e.stereo = quint8(stereoAt);
        if (e != entries[row])
            r.changed << row;
    }
    return r;
}

} // namespace BulkEdit
