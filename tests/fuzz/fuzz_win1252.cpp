// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252: every byte survives decode then encode, and any text encodes
// to one byte per character that decodes to itself, or to "?" when it has no byte.
#include "FuzzCheck.h"

#include "text/Win1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzInput::bytes(data, size);
    FUZZ_CHECK(Win1252::encode(Win1252::decode(bytes)) == bytes);

    const QString text = FuzzInput::utf16(data, size);
    const QByteArray encoded = Win1252::encode(text);
    const QString back = Win1252::decode(encoded);
    FUZZ_CHECK(encoded.size() == text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        FUZZ_CHECK(back[i] == text[i] || back[i] == QLatin1Char('?'));
    FUZZ_CHECK(Win1252::encode(back) == encoded);
    return 0;
}
