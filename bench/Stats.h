#pragma once

#include <QList>

// Other jobs share the machine (some at nice 19), so every figure is the
// median of several runs.
namespace Stats {

// Median of the values; 0 for none.
double median(QList<double> values);

} // namespace Stats
