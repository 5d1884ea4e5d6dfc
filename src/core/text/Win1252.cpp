// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Win1252.h"

namespace Win1252 {

namespace {
// 0x80..0x9F; undefined positions hold their own value.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of a character from 0x80..0x9F, or "?". Those characters lie in
// U+0081..U+2122, so most others are refused without a look at the table.
char highByte(char16_t c)
{
    if (c < 0x0081 || c > 0x2122)
        return '?';
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// A character's byte, or "?".
char byteOf(char16_t c)
{
    return (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) ? static_cast<char>(c) : highByte(c);
}
} // namespace

QString decode(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray encode(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        d[i] = byteOf(text[i].unicode());
    return out;
}

QString representable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += QLatin1Char('?');
            ++i;
        } else if (c == u'?' || byteOf(c) != '?') {
            out += QChar(c);
        } else {
            out += QLatin1Char('?');
        }
    }
    return out;
}

} // namespace Win1252
