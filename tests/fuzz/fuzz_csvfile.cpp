// SPDX-License-Identifier: GPL-3.0-or-later
// CSV loader: a refusal returns no entries; a loaded table is complete and clean, loads back from
// its save (the PI left-aligned: the file keeps no blanks around it) and then saves the same bytes.
#include "FuzzCheck.h"

#include "files/CsvFile.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

namespace {
QByteArray save(const QVector<MemoryEntry> &entries)
{
    MemoryTable table;
    table.setEntries(entries);
    return Win1252::encode(CsvFile::text(table));
}

void check(const QByteArray &bytes, qint16 count)
{
    const CsvFile::LoadResult r = CsvFile::parse(Win1252::decode(bytes), count, {});
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
    check(bytes, MemoryTable::kDefaultCount);
    check(bytes, 3); // a short table, so files with more lines than memories are common
    return 0;
}
