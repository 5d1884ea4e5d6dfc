// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The yielding wait of the transfers: the window stays responsive (timers,
// port polls, input) while the time passes, and the thread sleeps in the
// event loop between checks instead of spinning.
namespace Wait {

// Wait `seconds` by the time of day (Clock::secondsOfDay). Past midnight the
// count restarts from 0, so the wait ends `seconds` after midnight at the latest.
void WaitS(float seconds);

// Sleep up to `ms` milliseconds in a nested event loop.
void sleepInEventLoop(int ms);

} // namespace Wait
