// The temporary WAV file: a 44-byte header (PCM, mono, 16 bits, rate fields always 8000)
// followed by 16-bit little-endian samples. Consumers know the real rate from the file's role
// and read samples from byte 44.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace suite {

constexpr std::size_t tempWavHeaderSize = 44;

std::array<unsigned char, tempWavHeaderSize> tempWavHeader(std::uint32_t dataBytes);

} // namespace suite
