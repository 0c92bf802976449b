#include "chimewright/mfi/voice/step_adat_voice.hpp"

#include <algorithm>

namespace cw {

namespace mfi = suite::mfi;

std::vector<unsigned char> interleaveStepStereo(std::span<const unsigned char> left,
                                                std::span<const unsigned char> right) {
    const std::size_t n = std::min(left.size(), right.size());
    std::vector<unsigned char> out;
    out.reserve(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned l = left[i];
        const unsigned r = right[i];
        out.push_back(static_cast<unsigned char>((l & 0xF0) | (r >> 4)));
        out.push_back(static_cast<unsigned char>(((l & 0x0F) << 4) | (r & 0x0F)));
    }
    return out;
}

std::uint32_t stepAdatTicks(std::size_t bytesPerChannel, int rate) {
    // bytes × 400 / rate ticks of sound, 10 ticks for the 0.05 s, and 0.999 before truncating.
    const std::uint64_t r = static_cast<std::uint64_t>(rate);
    const std::uint64_t sound = (std::uint64_t{bytesPerChannel} * 400 * 1000 + 999 * r) / (1000 * r);
    return static_cast<std::uint32_t>(sound + 10);
}

std::vector<unsigned char> writeStepAdatFile(const MfiWriterInputs& inputs, const StepVoice& voice) {
    std::vector<unsigned char> interleaved;
    if (voice.stereo) interleaved = interleaveStepStereo(voice.left, voice.right);
    const std::size_t perChannel =
        voice.stereo ? std::min(voice.left.size(), voice.right.size()) : voice.left.size();
    const AdatVoice adat{
        .rateKHz = static_cast<unsigned char>(voice.rate / 1000),
        .bitsPerCode = 4,
        .channelLayout = voice.stereo ? mfi::adatStereoInterleaved : mfi::adatMono,
        .data = voice.stereo ? std::span<const unsigned char>(interleaved)
                             : std::span<const unsigned char>(voice.left),
        .ticks = stepAdatTicks(perChannel, voice.rate),
    };
    return writeAdatFile({.version = mfi::version0400, .codec = mfi::adatCodecStep}, inputs,
                         adat);
}

} // namespace cw
