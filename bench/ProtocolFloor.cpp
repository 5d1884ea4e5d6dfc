#include "ProtocolFloor.h"

namespace ProtocolFloor {

double wireSeconds(qint64 bytes)
{
    return double(bytes) * kBitsPerByte / kBaud;
}

double download(qint64 requestBytes, qint64 replyBytes, double answerSeconds)
{
    return kDownloadWaits + wireSeconds(requestBytes + replyBytes) + answerSeconds;
}

double upload(int entries, qint64 commandBytes, qint64 replyBytesEach, double answerSecondsEach)
{
    return entries * (kEntryWaits + answerSecondsEach + wireSeconds(replyBytesEach))
        + wireSeconds(commandBytes);
}

} // namespace ProtocolFloor
