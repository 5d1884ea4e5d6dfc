// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <functional>

// The local date and time as the program sees it (save file names, the
// receiver's clock, the time of day the waits count on). Tests fix it.
namespace Clock {

QDateTime now();
// Seconds since local midnight, with fractions.
double secondsOfDay();

// Replace the clock; an empty function restores the system clock.
void setSource(std::function<QDateTime()> source);

} // namespace Clock
