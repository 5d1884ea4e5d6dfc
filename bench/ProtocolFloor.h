#pragma once

#include <QtGlobal>

// The least time a transfer can take: the fixed waits the protocol
// prescribes, the bytes' time on a 115200 baud 8N1 line (10 bits a byte)
// and the receiver's answer time. Nothing of the program's own work counts.
namespace ProtocolFloor {

constexpr double kBaud = 115200.0;
constexpr int kBitsPerByte = 10;

// Request queued, request written, reply collected.
constexpr double kDownloadWaits = 0.1 + 2.5 + 0.025;
// Per entry: before writing, after writing, after reading. The reply time
// itself is the receiver's answer plus the bytes on the wire.
constexpr double kEntryWaits = 0.025 + 0.025 + 0.025;

double wireSeconds(qint64 bytes);

double download(qint64 requestBytes, qint64 replyBytes, double answerSeconds);

// entries: how many commands; commandBytes: all of them together.
double upload(int entries, qint64 commandBytes, qint64 replyBytesEach, double answerSecondsEach);

} // namespace ProtocolFloor
