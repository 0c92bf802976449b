// The console program's batch: settings, rows from the arguments, the batch itself; or the
// listing of the targets that such a batch would make.
#pragma once

#include "chimewright/cli/console_options.hpp"

namespace cw::cli {

// Exit status: 0 every row succeeded, 1 a row failed or nothing could be converted, 2 bad
// usage found late (an unknown preset, an unreadable list).
int runBatchCommand(const Options& options);

} // namespace cw::cli
