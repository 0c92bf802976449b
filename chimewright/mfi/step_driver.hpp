// The size limits of the inline MFi forms, shared by the step, low-nibble and G.726 writers.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"

#include <cstddef>
#include <vector>

namespace cw {

// The streams shorter than this go into the inline form where the target allows both.
constexpr std::size_t inlineStreamLimit = 65201;
// Without "Unlimited" an inline file may be at most this large (small and large size class).
constexpr std::size_t inlineFileLimitSmall = 10238;
constexpr std::size_t inlineFileLimitLarge = 20238;

// Writes an inline file unless it is empty (its header did not fit) or, without
// "Unlimited", larger than the size class allows: then the row's too-large code.
int writeInlineWithinLimit(const TargetRow& row, const TargetBlock& block,
                           const std::vector<unsigned char>& file);

} // namespace cw
