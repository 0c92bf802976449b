#include "chimewright/mfi/voice/voice_streams.hpp"

#include <algorithm>

namespace cw {

bool encodeMonoStream(const ChannelEncoder& encode, const platform::Path& file, std::size_t budget,
                      VoiceStreams& streams) {
    streams = VoiceStreams{};
    return encode(file, budget, streams.left);
}

bool encodeStereoStreams(const ChannelEncoder& encode, const platform::Path& left,
                         const platform::Path& right, std::size_t budget, VoiceStreams& streams) {
    streams = VoiceStreams{};
    streams.stereo = true;
    if (!encode(left, budget, streams.left)) return false;
    if (!encode(right, budget / 2, streams.right)) return false;
    const std::size_t shorter = std::min(streams.left.size(), streams.right.size());
    streams.left.resize(shorter);
    streams.right.resize(shorter);
    return true;
}

} // namespace cw
