#pragma once

#include "SimChannel.h"

// The channels the benchmarks fill the simulated receiver with: every memory
// used, a mix of FM stations and some AM ones, all of them valid, so an upload
// runs to the end.
namespace BenchChannels {

SimChannel channel(int n);

} // namespace BenchChannels
