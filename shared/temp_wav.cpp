#include "shared/temp_wav.hpp"

#include "shared/byte_order.hpp"

#include <cstring>

namespace suite {

std::array<unsigned char, tempWavHeaderSize> tempWavHeader(std::uint32_t dataBytes) {
    std::array<unsigned char, tempWavHeaderSize> h{};
    std::memcpy(&h[0], "RIFF", 4);
    writeLe32(&h[4], dataBytes + 36);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    writeLe32(&h[16], 16);
    writeLe16(&h[20], 1);
    writeLe16(&h[22], 1);
    writeLe32(&h[24], 8000);
    writeLe32(&h[28], 16000);
    writeLe16(&h[32], 2);
    writeLe16(&h[34], 16);
    std::memcpy(&h[36], "data", 4);
    writeLe32(&h[40], dataBytes);
    return h;
}

} // namespace suite
