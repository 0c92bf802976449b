// The two built-in score-track files from which the stream-SMAF builder starts. Both play
// channel 0's note 0 with a gate of the sound's length and end the sequence after that length;
// they differ only in the width of those two numbers.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"

namespace cw::smaf {

// Sound lengths in ticks below this use the short template (two-byte numbers), longer ones
// the long template (three-byte numbers, up to 0x1FFFFF ticks).
constexpr int longTemplateTicks = 0x4000;
constexpr int maxTemplateTicks = 0x1FFFFF;

// A copy of the template for the length, its gate time and final duration set to
// `lengthTicks` (clamped to 0 ... maxTemplateTicks).
Bytes streamTemplate(int lengthTicks);

} // namespace cw::smaf
