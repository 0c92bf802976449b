// The Android target: an Ogg Vorbis file that Android plays as a looping ringtone.
#pragma once

#include "chimewright/driver/targets.hpp"

#include <string_view>

namespace cw {

// Encodes the temporary WAV file(s) chosen by the block's options ("32kHz(4bit)" first, then
// "16kHz", then "16kStereo"; none of them writes nothing) with `intervalMs` of silence appended
// per channel, and writes the block's output file in one piece. An empty copyright is absent.
// 0; 7003 when a temporary file cannot be opened or the output cannot be written;
// 7004 when the encoder cannot be set up or memory runs out (no file is written).
int writeAndroidTarget(const platform::Path& mono16k, const platform::Path& mono32k,
                       const platform::Path& left16k, const platform::Path& right16k,
                       const TargetBlock& block, std::string_view titleAnsi,
                       std::string_view copyrightAnsi, int intervalMs);

} // namespace cw
