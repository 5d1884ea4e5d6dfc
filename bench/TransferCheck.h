#pragma once

#include <QString>

class MemoryTable;

// Whether a download brought the simulator's channels into the table; a
// measured run that did not is no measurement.
namespace TransferCheck {

// "" when entries 1..count match BenchChannels, else what is wrong.
QString downloaded(const MemoryTable &table, int count);

} // namespace TransferCheck
