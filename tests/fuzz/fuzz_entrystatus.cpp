// SPDX-License-Identifier: GPL-3.0-or-later
// Entry status reply: a status reply exactly when the line without NUL, CR and LF holds "S:";
// acceptance follows bit 7; each of bits 0 to 5, and no other, gives a message.
#include "FuzzCheck.h"

#include "link/EntryStatus.h"
#include "text/Win1252.h"

namespace {
// The texts, focus names and title are the unit test's; here only which bits give a message.
void checkMessages(quint16 word)
{
    FUZZ_CHECK(EntryStatus::errorMessages(word).size() == int(qPopulationCount(quint32(word & 0x3F))));
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
