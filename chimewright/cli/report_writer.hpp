// The --report in its two forms: text for people, JSON for programs (docs/batch-jobs-and-report.md).
#pragma once

#include "chimewright/cli/ringtone_report.hpp"

#include <string>
#include <vector>

namespace cw::cli {

// Per row: its result, a line per target, and a summary line (the best and the worst target
// by SNR, the targets cut to their size limit).
std::string reportText(const std::vector<RowReport>& rows);

// An array with one object per row; each row's "targets" has one entry per enabled target.
std::string reportJson(const std::vector<RowReport>& rows);

} // namespace cw::cli
