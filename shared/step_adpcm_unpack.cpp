#include "shared/step_adpcm_unpack.hpp"

#include "shared/step_adpcm.hpp"

#include <algorithm>

namespace suite {

std::size_t decodeStepAdpcmStream(std::span<const unsigned char> bytes, StepAdpcmPacking packing,
                                  std::span<std::int16_t> out) {
    const std::size_t count = std::min(bytes.size(), out.size() / 2);
    const bool highFirst = packing == StepAdpcmPacking::highNibbleFirst;
    stepAdpcmState state;
    stepAdpcmReset(state);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned byte = bytes[i];
        const unsigned first = highFirst ? byte >> 4 : byte & 0x0F;
        const unsigned second = highFirst ? byte & 0x0F : byte >> 4;
        out[2 * i] = stepAdpcmDecode(state, first);
        out[2 * i + 1] = stepAdpcmDecode(state, second);
    }
    return 2 * count;
}

} // namespace suite
