// The job runner's view of its targets: the target table under its older name.
#pragma once

#include "chimewright/job/target_settings.hpp"
#include "chimewright/job/target_table.hpp"

namespace cw {

using TargetInfo = TargetRow;

} // namespace cw
