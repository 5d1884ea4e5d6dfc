// SPDX-License-Identifier: GPL-3.0-or-later
#include "VisibleBytes.h"

namespace VisibleBytes {

QByteArray visible(const QByteArray &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\0': out += "\\0"; break;
        case '\\': out += "\\\\"; break;
        default:
            if (c >= 0x20 && c < 0x7f) {
                out += static_cast<char>(c);
            } else {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 0xf];
            }
        }
    }
    return out;
}

} // namespace VisibleBytes
