#include "chimewright/mfi/forms/low_nibble_records.hpp"

#include "chimewright/mfi/forms/mfi_events.hpp"

#include <algorithm>

namespace cw {

namespace mfi = suite::mfi;

std::vector<unsigned char> withSilentTail(std::span<const unsigned char> voice) {
    std::vector<unsigned char> out(voice.begin(), voice.end());
    std::fill(out.end() - static_cast<std::ptrdiff_t>(std::min(out.size(), silentTailBytes)),
              out.end(), 0);
    return out;
}

void putTwoRests(suite::ByteImage& image, std::uint32_t ticks) {
    constexpr std::uint32_t full = 254;
    if (ticks > full) {
        putMetaEvent(image, 0xFF, mfi::rest, 0);
        putMetaEvent(image, static_cast<unsigned char>(ticks - full), mfi::rest, 0);
    } else {
        putMetaEvent(image, static_cast<unsigned char>(ticks), mfi::rest, 0);
        putMetaEvent(image, 0, mfi::rest, 0);
    }
}

} // namespace cw
