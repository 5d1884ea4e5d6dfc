#include "TransferCheck.h"

#include "BenchChannels.h"
#include "memlist/MemoryTable.h"

namespace TransferCheck {

QString downloaded(const MemoryTable &table, int count)
{
    if (table.size() != count)
        return QStringLiteral("table holds %1 entries, not %2").arg(table.size()).arg(count);
    for (int n = 1; n <= count; ++n) {
        const SimChannel c = BenchChannels::channel(n);
        const MemoryEntry &e = table.entry(n);
        if (e.frequency != c.frequency || e.bandwidth != c.bandwidth || e.stereo != c.stereo)
            return QStringLiteral("entry %1 differs from the receiver's").arg(n);
    }
    return QString();
}

} // namespace TransferCheck
