// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace mBits {

// True when bit number `bit` (0 = lowest) of value is set.
constexpr bool IsBitSet(quint32 value, int bit)
{
    return bit >= 0 && bit < 32 && (value & (1u << bit)) != 0;
}

} // namespace mBits
