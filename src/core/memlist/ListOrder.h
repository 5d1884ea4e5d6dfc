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

} // namespace ListOrder
