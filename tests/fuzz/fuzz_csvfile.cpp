// CSV loader: never crashes, a loaded table is complete and clean, and saving
// a loaded table then loading it again changes nothing more.
#include "FuzzCheck.h"

#include "files/CsvFile.h"
#include "memlist/MemoryTable.h"
#include "text/TextUtil.h"

namespace {

void checkEntry(const MemoryEntry &e, const Bands::Limits &limits)
{
    FUZZ_CHECK(e.name.size() == MemoryEntry::kNameWidth);
    FUZZ_CHECK(e.pi.size() == MemoryEntry::kPiWidth);
    FUZZ_CHECK(!e.name.contains(QChar(0)));
    FUZZ_CHECK(!e.pi.contains(QChar(0)));
    FUZZ_CHECK(e.band == Bands::bandOf(e.frequency, limits));
}

// The file holds the PI without blanks around it, so a PI read with leading
// blanks comes back left-aligned; everything else comes back as it was.
bool sameAfterSave(const MemoryEntry &loaded, const MemoryEntry &reloaded)
{
    MemoryEntry expected = loaded;
    expected.setPi(TextUtil::trimBlanks(loaded.pi));
    return expected == reloaded;
}

void load(const QByteArray &bytes, qint16 count)
{
    const Bands::Limits limits;
    const CsvFile::LoadResult r = CsvFile::decode(bytes, count, limits);
    if (r.status != CsvFile::LoadStatus::Ok) {
        FUZZ_CHECK(r.entries.isEmpty());
        if (r.status == CsvFile::LoadStatus::Ignored)
            FUZZ_CHECK(!bytes.contains("\r\n"));
        else
            FUZZ_CHECK(!r.message.isEmpty());
        return;
    }
    FUZZ_CHECK(r.entries.size() == count);
    for (const MemoryEntry &e : r.entries)
        checkEntry(e, limits);

    MemoryTable table;
    table.setMemoryCount(count);
    table.setEntries(r.entries);
    const QByteArray saved = CsvFile::encode(table);
    const CsvFile::LoadResult again = CsvFile::decode(saved, count, limits);
    FUZZ_CHECK(again.status == CsvFile::LoadStatus::Ok);
    FUZZ_CHECK(again.entries.size() == r.entries.size());
    for (qsizetype i = 0; i < r.entries.size(); ++i)
        FUZZ_CHECK(sameAfterSave(r.entries[i], again.entries[i]));

    table.setEntries(again.entries);
    const QByteArray savedAgain = CsvFile::encode(table);
    FUZZ_CHECK(savedAgain == saved);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzInput::bytes(data, size);
    load(bytes, MemoryTable::kDefaultCount);
    // A short table, so files with more lines than memories are common.
    load(bytes, 3);
    return 0;
}
