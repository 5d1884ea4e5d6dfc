// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryEntry.h"

#include <QList>
#include <QVector>

// The orders a list can be put in. Each gives the old positions (from 0) in
// their new order, so the caller can move the channels and follow one of
// them. Empty channels always go last; equal channels keep their order.
namespace ListOrder {

// Ascending frequency (AM, whose kHz are lower, before FM).
QList<int> byFrequency(const QVector<MemoryEntry> &entries);
// Station name ignoring case, then frequency.
QList<int> byName(const QVector<MemoryEntry> &entries);
// Only the empty channels move.
QList<int> emptiesLast(const QVector<MemoryEntry> &entries);

// Whether an order leaves every channel where it is.
bool isUnchanged(const QList<int> &order);
// The entries in that order.
QVector<MemoryEntry> applied(const QVector<MemoryEntry> &entries, const QList<int> &order);
// The order that puts the list back as it was before `order`.
QList<int> inverted(const QList<int> &order);

// Selected rows (ascending) moved together by `by` lines in a list of
// `count`: the gaps between them kept, the other rows closing up in their
// order. The block stops at the list's ends, so it may move less, or not at
// all. The same as moving the block one line at a time.
QList<int> blockMoved(int count, const QList<int> &rows, int by);

} // namespace ListOrder
