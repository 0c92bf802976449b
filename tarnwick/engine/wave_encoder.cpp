#include "tarnwick/engine/wave_encoder.hpp"

#include "shared/byte_order.hpp"
#include "shared/step_adpcm.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

unsigned quarterStepCode(suite::stepAdpcmState& state, std::int16_t sample) {
    int difference = int{sample} - state.predictor;
    unsigned code = 0;
    if (difference < 0) {
        code = 8;
        difference = -difference;
    }
    const int quarter = state.step / 4; // the step never falls below 127, so never 0
    code |= static_cast<unsigned>(std::min(7, difference / quarter));
    suite::stepAdpcmDecode(state, code);
    return code;
}

} // namespace

bool quarterStepEncode(const std::int16_t* samples, std::size_t count, unsigned char* out,
                       std::size_t capacity) {
    const std::size_t bytes = count / 2 + count % 2;
    if (capacity < bytes) return false;
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    for (std::size_t i = 0; i < count; i += 2) {
        unsigned byte = quarterStepCode(state, samples[i]);
        if (i + 1 < count) byte |= quarterStepCode(state, samples[i + 1]) << 4;
        out[i / 2] = static_cast<unsigned char>(byte);
    }
    return true;
}

std::vector<unsigned char> encodeWave(std::span<const unsigned char> image, const WaveInfo& info,
                                      int rateMode) {
    const unsigned char* data = image.data() + info.dataOffset;
    const std::size_t stride = rateMode == rateModeHalved ? 4 : 2;
    std::vector<std::int16_t> samples;
    samples.reserve(info.dataSize / stride + 1);
    for (std::size_t at = 0; at + 2 <= info.dataSize; at += stride)
        samples.push_back(static_cast<std::int16_t>(suite::readLe16(data + at)));

    std::vector<unsigned char> adpcm(samples.size() / 2 + samples.size() % 2);
    quarterStepEncode(samples.data(), samples.size(), adpcm.data(), adpcm.size());
    return adpcm;
}

} // namespace tarnwick
