// The one or two channel streams of a target's voice, encoded within its byte budget by any
// codec: mono with the budget; stereo with the budget for the left file and half of it for
// the right, both cut to the shorter so the channels stay in step.
#pragma once

#include "platform/files.hpp"

#include <cstddef>
#include <functional>
#include <vector>

namespace cw {

struct VoiceStreams {
    std::vector<unsigned char> left; // the mono stream, or the left channel
    std::vector<unsigned char> right;
    bool stereo = false;
};

// Encodes one temporary file into at most `budget` bytes; false when it cannot be opened.
using ChannelEncoder =
    std::function<bool(const platform::Path& file, std::size_t budget, std::vector<unsigned char>& out)>;

// False when a file cannot be opened.
bool encodeMonoStream(const ChannelEncoder& encode, const platform::Path& file, std::size_t budget,
                      VoiceStreams& streams);
bool encodeStereoStreams(const ChannelEncoder& encode, const platform::Path& left,
                         const platform::Path& right, std::size_t budget, VoiceStreams& streams);

} // namespace cw
