// Download reply: never crashes; a reply that carries a list gives a table of
// exactly the announced count with clean fixed-width fields; the limits stay
// numbers; applying the same reply twice gives the same state.
#include "FuzzCheck.h"

#include "link/DownloadReply.h"
#include "memlist/MemoryTable.h"
#include "memlist/NumberRule.h"
#include "text/Win1252.h"

namespace {

bool isNumber(const QString &limit)
{
    return NumberRule::parse(limit).found;
}

bool sameLimits(const Bands::Limits &a, const Bands::Limits &b)
{
    return a.aMin == b.aMin && a.aMax == b.aMax && a.fMin == b.fMin && a.fMax == b.fMax;
}

bool sameValues(const DownloadReply::Values &a, const DownloadReply::Values &b)
{
    return a.r == b.r && a.v == b.v && a.s == b.s && a.o == b.o;
}

void checkEntry(const MemoryEntry &e, const Bands::Limits &limits)
{
    FUZZ_CHECK(e.name.size() == MemoryEntry::kNameWidth);
    FUZZ_CHECK(e.pi.size() == MemoryEntry::kPiWidth);
    FUZZ_CHECK(!e.name.contains(QChar(0)));
    FUZZ_CHECK(!e.pi.contains(QChar(0)));
    FUZZ_CHECK(e.band == Bands::bandOfReceived(e.frequency, limits));
    if (e.frequency < 1)
        FUZZ_CHECK(e.band == Bands::kNone);
}

// Under the sanitizers, building tens of thousands of empty entries costs far
// more than the parsing before it; beyond this count only the entries that
// received a line are built, one by one.
constexpr int kFullBuildCount = 4096;

void checkList(const MemoryTable &table)
{
    const int count = table.memoryCount();
    FUZZ_CHECK(count >= 1);
    FUZZ_CHECK(table.rawLines().size() == count);
    for (int n = 1; n <= count; ++n) {
        const QString &raw = table.rawLines()[n - 1];
        if (raw.isEmpty())
            continue;
        FUZZ_CHECK(raw.startsWith(QString::number(n) + QLatin1Char(',')));
        if (count > kFullBuildCount)
            checkEntry(MemoryTable::entryFromRawLine(raw, table.limits()), table.limits());
    }
    if (count > kFullBuildCount)
        return;
    MemoryTable built = table;
    built.buildFromRawLines();
    FUZZ_CHECK(built.size() == count);
    for (const MemoryEntry &e : built.entries())
        checkEntry(e, built.limits());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString reply = Win1252::decode(FuzzInput::bytes(data, size));
    MemoryTable table;
    DownloadReply::Values values;
    const bool list = DownloadReply::apply(reply, table, values);

    const Bands::Limits &l = table.limits();
    FUZZ_CHECK(isNumber(l.aMin) && isNumber(l.aMax) && isNumber(l.fMin) && isNumber(l.fMax));
    if (list) {
        checkList(table);
    } else {
        FUZZ_CHECK(table.memoryCount() == MemoryTable::kDefaultCount);
        FUZZ_CHECK(table.rawLines().isEmpty());
    }
    FUZZ_CHECK(table.size() == MemoryTable::kDefaultCount); // entries wait for the rebuild

    MemoryTable twice = table;
    DownloadReply::Values valuesTwice = values;
    FUZZ_CHECK(DownloadReply::apply(reply, twice, valuesTwice) == list);
    FUZZ_CHECK(twice.memoryCount() == table.memoryCount());
    FUZZ_CHECK(twice.rawLines() == table.rawLines());
    FUZZ_CHECK(sameLimits(twice.limits(), table.limits()));
    FUZZ_CHECK(sameValues(valuesTwice, values));
    return 0;
}
