#include "BenchChannels.h"

namespace BenchChannels {

SimChannel channel(int n)
{
    SimChannel c;
    if (n % 10 == 0) {
        // Medium wave: 9 kHz raster, AM bandwidth codes 1..4, no PI.
        c.frequency = 531 + 9 * (n % 100);
        c.bandwidth = 1 + n % 4;
        c.stereo = 0;
        c.name = "AM " + QByteArray::number(n);
    } else {
        c.frequency = 87500 + 100 * (n % 205);
        c.bandwidth = n % 17;
        c.stereo = n % 2;
        c.pi = QByteArray::number(0xD000 + n % 4096, 16).toUpper();
        c.name = "STN " + QByteArray::number(n);
    }
    return c;
}

} // namespace BenchChannels
