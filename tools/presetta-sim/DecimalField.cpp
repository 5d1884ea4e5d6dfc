// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalField.h"

namespace DecimalField {

std::optional<qint32> read(const QByteArray &field)
{
    if (field.isEmpty() || field.size() > 9)
        return std::nullopt;
    qint32 value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace DecimalField
