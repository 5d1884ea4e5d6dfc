// SPDX-License-Identifier: GPL-3.0-or-later
// Download reply: a list gives one raw line per announced memory, each under its own number, and
// entries with clean fields; the limits stay numbers; applying the same reply again changes nothing.
#include "FuzzCheck.h"

#include "link/DownloadReply.h"
#include "text/NumberRule.h"
#include "text/Win1252.h"

namespace {
void checkList(const MemoryTable &table)
{
    const int count = table.memoryCount();
    FUZZ_CHECK(count >= 1 && table.rawLines().size() == count);
    for (int n = 1; n <= count; ++n)
        FUZZ_CHECK(table.rawLines()[n - 1].isEmpty() || table.rawLines()[n - 1].startsWith(QString::number(n) + QLatin1Char(',')));
    if (count > 4096) // under the sanitizers, building that many would cost far more than the parsing
        return;
    MemoryTable built = table;
    built.buildFromRawLines();
    FUZZ_CHECK(built.size() == count);
    for (const MemoryEntry &e : built.entries())
        FUZZ_CHECK(FuzzInput::cleanFields(e) && e.band == Bands::bandOfReceived(e.frequency, built.limits()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString reply = Win1252::decode(FuzzInput::bytes(data, size));
    MemoryTable table;
    DownloadReply::Values values;
    const bool list = DownloadReply::apply(reply, table, values);
    const Bands::Limits &l = table.limits();
    for (const QString &limit : {l.aMin, l.aMax, l.fMin, l.fMax})
        FUZZ_CHECK(NumberRule::parse(limit).found);
    if (list)
        checkList(table);
    else
        FUZZ_CHECK(table.memoryCount() == MemoryTable::kDefaultCount && table.rawLines().isEmpty());
    FUZZ_CHECK(table.size() == MemoryTable::kDefaultCount); // the entries wait for the rebuild

    MemoryTable twice = table;
    DownloadReply::Values valuesTwice = values;
    FUZZ_CHECK(DownloadReply::apply(reply, twice, valuesTwice) == list && twice.rawLines() == table.rawLines());
    const Bands::Limits &l2 = twice.limits();
    FUZZ_CHECK(twice.memoryCount() == table.memoryCount() && l2.aMin == l.aMin && l2.aMax == l.aMax && l2.fMin == l.fMin
               && l2.fMax == l.fMax);
    return 0;
}
