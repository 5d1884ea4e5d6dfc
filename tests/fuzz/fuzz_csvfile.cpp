// SPDX-License-Identifier: GPL-3.0-or-later
// CSV loader: a refusal returns no entries; a loaded table is complete and clean, loads back from
// its save (the PI left-aligned: the file keeps no blanks around it) and then saves the same bytes.
#include "FuzzCheck.h"

#include "files/CsvFile.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

namespace {
// Tables stay small: each entry costs a line to save and to load again, and the
// lines are read one by one, so a few memories reach every path a full table does.
constexpr qint16 kShortTable = 3;
constexpr qint16 kMostMemories = 9;

QByteArray save(const QVector<MemoryEntry> &entries)
{
    // One table for all runs: a new one would make its 99 default entries first.
    static MemoryTable table;
    table.setEntries(entries);
    const QByteArray bytes = Win1252::encode(CsvFile::text(table));
    table.setEntries({}); // nothing of this run outlives it
    return bytes;
}

void check(const QByteArray &bytes, const QString &text, qint16 count)
{
    const CsvFile::LoadResult r = CsvFile::parse(text, count, {});
    if (r.status != CsvFile::LoadStatus::Ok) {
        FUZZ_CHECK(r.entries.isEmpty()
                   && (r.status == CsvFile::LoadStatus::Ignored ? !bytes.contains("\r\n") : !r.message.isEmpty()));
        return;
    }
    FUZZ_CHECK(r.entries.size() == count);
    QVector<MemoryEntry> expected = r.entries;
    for (MemoryEntry &e : expected) {
        FUZZ_CHECK(FuzzInput::cleanFields(e) && e.band == Bands::bandOf(e.frequency, Bands::Limits()));
        e.setPi(TextUtil::trimBlanks(e.pi));
    }
    const QByteArray saved = save(r.entries);
    const CsvFile::LoadResult again = CsvFile::parse(Win1252::decode(saved), count, {});
    FUZZ_CHECK(again.status == CsvFile::LoadStatus::Ok && again.entries == expected);
    FUZZ_CHECK(save(again.entries) == saved);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzInput::bytes(data, size);
    const QString text = Win1252::decode(bytes);
    // One memory more than the file has lines, so a loaded file leaves empty memories behind ...
    check(bytes, text, static_cast<qint16>(qMin(CsvFile::dataLines(text) + 1, int(kMostMemories))));
    // ... and a short table, so files with more lines than memories are common.
    check(bytes, text, kShortTable);
    return 0;
}
