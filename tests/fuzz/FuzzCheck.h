// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "memlist/MemoryEntry.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run like a crash, so libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                                    \
    do {                                                                                                    \
        if (!(cond))                                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #cond), std::abort(); \
    } while (0)

namespace FuzzInput {

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Name and PI at their full width, and never a NUL on screen, in a file or on the wire.
inline bool cleanFields(const MemoryEntry &e)
{
    return e.name.size() == MemoryEntry::kNameWidth && e.pi.size() == MemoryEntry::kPiWidth
        && !e.name.contains(QChar(0)) && !e.pi.contains(QChar(0));
}

} // namespace FuzzInput
