// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryEntry.h"

#include <QString>
#include <QVector>

// Finding a station in the list by what the list shows of it, ignoring case.
// Empty channels are never found. Positions count from 0; -1 is none.
namespace StationFind {

enum class Direction { Next, Previous };

// Whether the name begins with the typed text.
bool nameBegins(const MemoryEntry &e, const QString &typed);

// Whether the name, the PI code or the frequency holds the text (blanks
// around it do not count); the frequency as the list shows it ("100.400") or
// in kHz ("100400").
bool holds(const MemoryEntry &e, const QString &text);

// The channel after `from` (before it, going back) that holds the text,
// round the end of the list and back to `from` itself. From -1, the search
// starts at the first channel (going back, at the last).
int find(const QVector<MemoryEntry> &entries, int from, const QString &text, Direction direction);

// The channel to select when `typed` has been typed on the list at `current`,
// as in a file manager: the first from `current` on whose name begins with
// it; a single letter, also typed again and again, goes on to the next name
// after `current` that begins with that letter.
int byTyping(const QVector<MemoryEntry> &entries, int current, const QString &typed);

} // namespace StationFind
