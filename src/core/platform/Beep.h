// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The system beep as the core sees it. The window installs the real sound
// (through its dialogs seam); without a handler the beep is silent.
namespace Beep {

void setHandler(std::function<void()> handler);
void sound();

} // namespace Beep
