#include "shared/ima_adpcm_channel.hpp"

#include "shared/ima_adpcm.hpp"
#include "shared/temp_wav_samples.hpp"

#include <algorithm>
#include <cstdint>

namespace suite {

namespace {

// Samples from byte 44 on; a trailing odd byte counts as a sample with a zero high byte.
std::size_t sampleCount(std::span<const unsigned char> wavImage) {
    const std::size_t first = TempWavSamples::firstSampleOffset;
    return wavImage.size() > first ? (wavImage.size() - first + 1) / 2 : 0;
}

} // namespace

std::size_t imaAdpcmChannelSize(std::span<const unsigned char> wavImage) {
    return imaAdpcmEncodedSize(sampleCount(wavImage));
}

std::size_t encodeImaAdpcmChannel(std::span<const unsigned char> wavImage,
                                  std::span<unsigned char> out) {
    const std::size_t count = sampleCount(wavImage);
    if (count == 0 || imaAdpcmEncodedSize(count) > out.size()) return 0;

    // Block by block, so no copy of the whole channel is needed.
    const TempWavSamples samples(wavImage);
    std::int16_t block[imaAdpcmSamplesPerBlock];
    ImaAdpcmState state;
    std::size_t written = 0;
    for (std::size_t first = 0; first < count; first += imaAdpcmSamplesPerBlock) {
        const std::size_t n = std::min(imaAdpcmSamplesPerBlock, count - first);
        for (std::size_t i = 0; i < n; ++i) {
            block[i] = samples.at(TempWavSamples::firstSampleOffset + 2 * (first + i));
        }
        encodeImaAdpcmBlock(state, std::span<const std::int16_t>(block, n), out.data() + written);
        written += imaAdpcmBlockBytes;
    }
    return written;
}

} // namespace suite
