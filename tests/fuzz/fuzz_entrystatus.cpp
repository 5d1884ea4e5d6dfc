// SPDX-License-Identifier: GPL-3.0-or-later
// Entry status reply: a status reply exactly when the line without NUL, CR and LF holds "S:";
// acceptance follows bit 7; each error bit gives a message of its own; the title carries the word.
#include "FuzzCheck.h"

#include "link/EntryStatus.h"
#include "text/Win1252.h"

namespace {
bool knownFocus(const QString &name)
{
    return name == QLatin1String("tPI") || name == QLatin1String("tFreq") || name == QLatin1String("coST")
        || name == QLatin1String("coBW");
}

void checkMessages(quint16 word)
{
    const QList<EntryStatus::ErrorMessage> messages = EntryStatus::errorMessages(word);
    FUZZ_CHECK(messages.size() == int(qPopulationCount(quint32(word & 0x3F))));
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const QString &text = messages[i].text;
        FUZZ_CHECK(text.size() > 4 && text.startsWith(QLatin1String("  ")) && text.endsWith(QLatin1String("  ")));
        FUZZ_CHECK(knownFocus(messages[i].focusName));
        for (qsizetype j = 0; j < i; ++j)
            FUZZ_CHECK(messages[j].text != text);
    }
    FUZZ_CHECK(EntryStatus::errorTitle(word) == QLatin1String(" ERROR: ") + QString::number(word));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = Win1252::decode(FuzzInput::bytes(data, size));
    const QString cleaned = QString(line).remove(QChar(0)).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    const EntryStatus::Reply r = EntryStatus::parse(line);
    FUZZ_CHECK(r.isStatus == cleaned.contains(QLatin1String("S:")));
    FUZZ_CHECK(r.accepted == (!r.isStatus || (r.fits && (r.word & 0x80))));
    checkMessages(r.word);
    if (size >= 2)
        checkMessages(static_cast<quint16>(data[0] | (data[1] << 8)));
    return 0;
}
