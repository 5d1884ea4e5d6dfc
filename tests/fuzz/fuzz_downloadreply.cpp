// SPDX-License-Identifier: GPL-3.0-or-later
// Download reply: a list gives one raw line per announced memory, each under its own number, and
// entries with clean fields; the limits stay numbers; applying the same reply again changes nothing.
#include "FuzzCheck.h"

#include "link/DownloadReply.h"
#include "text/NumberRule.h"
#include "text/Win1252.h"

namespace {
// The whole rebuild only for small lists; a longer one has each line it carries built on its own,
// which is what the rebuild does for it, without making every empty memory under the sanitizers.
constexpr int kMostRebuilt = 12;
// The table a reply lands in holds a few entries, not 99: the reply must leave them alone.
constexpr int kEntries = 2;

void checkList(const MemoryTable &table)
{
    const int count = table.memoryCount();
    FUZZ_CHECK(count >= 1 && table.rawLines().size() == count);
    for (int n = 1; n <= count; ++n) {
        const QString &raw = table.rawLines()[n - 1];
        if (raw.isEmpty())
            continue;
        FUZZ_CHECK(raw.startsWith(QString::number(n) + QLatin1Char(',')));
        if (count > kMostRebuilt) {
            const MemoryEntry e = MemoryTable::entryFromRawLine(raw, table.limits());
            FUZZ_CHECK(FuzzInput::cleanFields(e) && e.band == Bands::bandOfReceived(e.frequency, table.limits()));
        }
    }
    if (count > kMostRebuilt)
        return;
    MemoryTable built = table;
    built.buildFromRawLines();
    FUZZ_CHECK(built.size() == count);
    for (const MemoryEntry &e : built.entries())
        FUZZ_CHECK(FuzzInput::cleanFields(e) && e.band == Bands::bandOfReceived(e.frequency, built.limits()));
}

// A list longer than a full table takes the paths a shorter one takes, at the price of a slot per
// memory; the longest one is left to the unit tests.
bool longList(const QString &reply)
{
    const QString text = QString(reply).remove(QLatin1Char('\r'));
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("m:"))) {
            const auto m = DownloadReply::memoryCount(line.mid(2));
            if (m && *m > MemoryTable::kDefaultCount)
                return true;
        }
    }
    return false;
}

const MemoryTable &smallTable()
{
    static const MemoryTable table = [] {
        MemoryTable t;
        t.setEntries(QVector<MemoryEntry>(kEntries));
        return t;
    }();
    return table;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString reply = Win1252::decode(FuzzInput::bytes(data, size));
    if (longList(reply))
        return -1; // not worth keeping either
    MemoryTable table = smallTable();
    DownloadReply::Values values;
    const bool list = DownloadReply::apply(reply, table, values);
    const Bands::Limits &l = table.limits();
    for (const QString &limit : {l.aMin, l.aMax, l.fMin, l.fMax})
        FUZZ_CHECK(NumberRule::parse(limit).found);
    if (list)
        checkList(table);
    else
        FUZZ_CHECK(table.memoryCount() == MemoryTable::kDefaultCount && table.rawLines().isEmpty());
    FUZZ_CHECK(table.size() == kEntries); // the entries wait for the rebuild

    MemoryTable twice = table;
    DownloadReply::Values valuesTwice = values;
    FUZZ_CHECK(DownloadReply::apply(reply, twice, valuesTwice) == list && twice.rawLines() == table.rawLines());
    const Bands::Limits &l2 = twice.limits();
    FUZZ_CHECK(twice.memoryCount() == table.memoryCount() && l2.aMin == l.aMin && l2.aMax == l.aMax && l2.fMin == l.fMin
               && l2.fMax == l.fMax);
    return 0;
}
