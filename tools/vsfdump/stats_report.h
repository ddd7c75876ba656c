// The statistics that vsfdump --stats prints.
#pragma once

#include <ostream>

#include "tools/vsfreader/stats.h"

namespace vsfdump {

// One "name: number" line per count, then one line per array kind with arrays, values and bytes.
void print_stats(std::ostream& out, const vsf::Stats& stats);

}  // namespace vsfdump
