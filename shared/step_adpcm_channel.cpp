#include "shared/step_adpcm_channel.hpp"

#include "shared/step_adpcm.hpp"
#include "shared/temp_wav_samples.hpp"

#include <algorithm>

namespace suite {

std::size_t encodeStepAdpcmChannel(std::span<const unsigned char> wavImage,
                                   const StepAdpcmChannelOptions& options,
                                   std::span<unsigned char> out) {
    const TempWavSamples samples(wavImage);
    const bool conditioned = options.packing == StepAdpcmPacking::highNibbleFirst;
    const std::size_t limit = std::min(options.byteBudget, out.size());
    const std::size_t secondOffset = options.everyOtherSample ? 4 : 2;
    const std::size_t advance = options.everyOtherSample ? 8 : 4;

    stepAdpcmState state;
    stepAdpcmReset(state);
    std::uint32_t sampleIndex = 0;
    auto encodeNext = [&](std::int16_t sample) {
        const std::int16_t input = conditioned ? conditionSample(sample, sampleIndex) : sample;
        ++sampleIndex;
        return stepAdpcmEncode(state, input);
    };

    std::size_t written = 0;
    for (std::size_t pos = TempWavSamples::firstSampleOffset;
         pos < samples.end() && written < limit; pos += advance) {
        const stepAdpcmState before = state;
        const unsigned first = encodeNext(samples.at(pos));
        const unsigned second = encodeNext(samples.at(pos + secondOffset));
        unsigned char byte = conditioned ? static_cast<unsigned char>((first << 4) | second)
                                         : static_cast<unsigned char>((second << 4) | first);
        // Guard against long zero runs in the high-nibble-first files; it compares with the
        // bytes as stored, so an earlier substitution breaks the run.
        if (conditioned && byte == 0x00 && written >= 3 && out[written - 1] == 0x00 &&
            out[written - 2] == 0x00) {
            byte = 0x80;
            // A decoder reads the stored byte: codes 8 and 0. Follow it, or every substitution
            // would leave a lasting offset of twice step/8 in the decoded signal and long quiet
            // passages would drift to the rail.
            state = before;
            stepAdpcmDecode(state, 0x8);
            stepAdpcmDecode(state, 0x0);
        }
        out[written++] = byte;
    }
    return written;
}

} // namespace suite
