// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryEntry.h"

#include <QString>

// The text lines of the memory list.
namespace LineFormat {

// Digits of the number column: two up to a count of 99, else as many as the
// count has, so every line of a list splits at the same place.
int numberDigits(int memoryCount);

// " 07 " style number column (everything before the first "|").
QString numberColumn(int n, int memoryCount);

// Line of an entry as the list shows it after a rebuild.
QString listLine(const MemoryEntry &e, int n, int memoryCount);

// Line of an empty entry (the form the list uses after a clear).
QString emptyLine(int n, int memoryCount);

// kHz / 1000 as "##0.000" with a point whatever the locale, right-aligned in
// 7 characters (a longer text keeps its last 7).
QString frequencyColumn(double kHz);

// What the editor's Apply writes in place of the line.
struct ApplyLineInput {
    int n = 1;
    int memoryCount = 99;
    QString bandText;        // text of the band box
    double frequencyValue = 0; // frequency box by the number rule, unrounded
    QString name;            // 9 stored characters
    QString pi;              // 4 stored characters
    QString bandwidthItem;   // selected bandwidth item text, "" when none
    QString stereoText;      // "MONO", "STEREO" or ""
};
QString applyLine(const ApplyLineInput &in);

// Position (from 1) of the first "|" in a line; 0 when it has none.
int splitPosition(const QString &line);

// Exchange the data parts (from split position p on) of two lines.
void swapDataParts(QString &upper, QString &lower, int p);

} // namespace LineFormat
