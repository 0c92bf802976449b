#include "shared/g726_channel.hpp"

#include "shared/temp_wav_samples.hpp"

#include <algorithm>

namespace suite {

namespace {

// Packs the codes of one byte's worth of samples, taken from `next`.
template <typename NextSample>
unsigned char encodeByte(G726State& state, G726CodeWidth width, NextSample&& next) {
    const unsigned bits = static_cast<unsigned>(width);
    unsigned byte = 0;
    for (unsigned shift = 0; shift < 8; shift += bits) {
        byte |= g726Encode(state, g726LinearInput(next()), width) << shift;
    }
    return static_cast<unsigned char>(byte);
}

} // namespace

int g726LinearInput(std::int16_t sample) { return (sample / 2) >> 2; }

std::int16_t g726OutputSample(int reconstructed) {
    return static_cast<std::int16_t>(std::clamp(reconstructed * 4, -32768, 32767));
}

std::size_t encodeG726Channel(std::span<const unsigned char> wavImage, G726CodeWidth width,
                              std::size_t byteBudget, std::span<unsigned char> out) {
    const TempWavSamples samples(wavImage);
    const std::size_t limit = std::min(byteBudget, out.size());
    G726State state;
    g726Reset(state);

    std::size_t written = 0;
    std::size_t pos = TempWavSamples::firstSampleOffset;
    auto next = [&] {
        const std::int16_t sample = samples.at(pos);
        pos += 2;
        return sample;
    };
    while (pos < samples.end() && written < limit) out[written++] = encodeByte(state, width, next);
    return written;
}

std::size_t encodeG726Samples(std::span<const std::int16_t> samples, G726CodeWidth width,
                              std::span<unsigned char> out) {
    const std::size_t perByte = g726SamplesPerByte(width);
    const std::size_t bytes = std::min((samples.size() + perByte - 1) / perByte, out.size());
    G726State state;
    g726Reset(state);
    std::size_t index = 0;
    auto next = [&] {
        const std::int16_t sample = index < samples.size() ? samples[index] : std::int16_t{0};
        ++index;
        return sample;
    };
    for (std::size_t i = 0; i < bytes; ++i) out[i] = encodeByte(state, width, next);
    return bytes;
}

std::size_t decodeG726Stream(std::span<const unsigned char> bytes, G726CodeWidth width,
                             std::span<std::int16_t> out) {
    const std::size_t perByte = g726SamplesPerByte(width);
    const unsigned bits = static_cast<unsigned>(width);
    const std::size_t count = std::min(bytes.size(), out.size() / perByte);
    G726State state;
    g726Reset(state);
    std::size_t written = 0;
    for (std::size_t i = 0; i < count; ++i) {
        for (unsigned shift = 0; shift < 8; shift += bits) {
            out[written++] = g726OutputSample(g726Decode(state, bytes[i] >> shift, width));
        }
    }
    return written;
}

} // namespace suite
