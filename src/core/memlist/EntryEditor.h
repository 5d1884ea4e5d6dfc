// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/Bands.h"
#include "memlist/MemoryEntry.h"

#include <QString>

// What Apply stores: the editor's boxes and choices (taken after the choice
// lists were set for the band) turned into an entry and its list line.
namespace EntryEditor {

struct Input {
    int n = 1;                 // entry number
    int memoryCount = 99;
    QString bandText;          // band box
    QString frequencyText;     // frequency box
    QString nameText;
    QString piText;
    int bandwidthIndex = -1;   // selected position, -1 for none
    QString bandwidthItem;     // selected item text, "" for none
    int stereoIndex = -1;
};

struct Result {
    MemoryEntry entry;
    QString piBoxText;         // what the PI box shows afterwards
    QString line;              // the line written in place of the entry's line
};

// Band the frequency box gives (number rule, then the band rule).
qint16 bandOfText(const QString &frequencyText, const Bands::Limits &limits);

// `old` supplies what Apply keeps (the codes of an entry without band).
Result apply(const MemoryEntry &old, const Input &in, const Bands::Limits &limits);

} // namespace EntryEditor
