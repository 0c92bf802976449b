// A channel's voice cut into the blocks its records carry.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace cw {

// Consecutive blocks of at most maxBlockBytes; bytes beyond maxBlocks blocks are left out.
// An empty voice gives one empty block, so that a play record always refers to a block.
std::vector<std::span<const unsigned char>> splitVoiceBlocks(std::span<const unsigned char> voice,
                                                             std::size_t maxBlockBytes,
                                                             std::size_t maxBlocks);

} // namespace cw
