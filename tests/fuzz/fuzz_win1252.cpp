// Windows-1252 conversion: every byte survives decode then encode, and any
// text encodes to one byte per character that decodes to itself or "?".
#include "FuzzCheck.h"

#include "text/Win1252.h"

#include <QSet>

namespace {
// The characters some byte decodes to.
const QSet<QChar> &byteImages()
{
    static const QSet<QChar> images = [] {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        const QString text = Win1252::decode(all);
        return QSet<QChar>(text.begin(), text.end());
    }();
    return images;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzInput::bytes(data, size);
    const QString decoded = Win1252::decode(bytes);
    FUZZ_CHECK(decoded.size() == bytes.size());
    FUZZ_CHECK(Win1252::encode(decoded) == bytes);

    const QString text = FuzzInput::utf16(data, size);
    const QByteArray encoded = Win1252::encode(text);
    FUZZ_CHECK(encoded.size() == text.size());
    const QString back = Win1252::decode(encoded);
    FUZZ_CHECK(back.size() == text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (byteImages().contains(text[i]))
            FUZZ_CHECK(back[i] == text[i]);
        else
            FUZZ_CHECK(back[i] == QLatin1Char('?'));
    }
    FUZZ_CHECK(Win1252::encode(back) == encoded);
    return 0;
}
