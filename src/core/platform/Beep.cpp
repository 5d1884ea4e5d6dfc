// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Beep.h"

namespace Beep {

namespace {
std::function<void()> &handler()
{
    static std::function<void()> h;
    return h;
}
} // namespace

void setHandler(std::function<void()> h)
{
    handler() = std::move(h);
}

void sound()
{
    if (handler())
        handler()();
}

} // namespace Beep
