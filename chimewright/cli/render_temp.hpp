// --render-temp: every temporary WAV file of one input, without writing any target.
#pragma once

#include "chimewright/cli/console_options.hpp"

namespace cw::cli {

// Exit status: 0 success, 1 the conversion failed.
int renderTemp(const Options& options);

} // namespace cw::cli
