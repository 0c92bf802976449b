#include "chimewright/mfi/voice/voice_blocks.hpp"

#include <algorithm>

namespace cw {

std::vector<std::span<const unsigned char>> splitVoiceBlocks(std::span<const unsigned char> voice,
                                                             std::size_t maxBlockBytes,
                                                             std::size_t maxBlocks) {
    voice = voice.first(std::min(voice.size(), maxBlockBytes * maxBlocks));
    std::vector<std::span<const unsigned char>> blocks;
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(voice.size() - offset, maxBlockBytes);
        blocks.push_back(voice.subspan(offset, length));
        offset += length;
    } while (offset < voice.size());
    return blocks;
}

} // namespace cw
