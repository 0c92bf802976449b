#include "tests/support/wav_builder.hpp"

#include <cmath>

namespace testing_support {

namespace {

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

} // namespace

std::string chunk(const std::string& id, const std::string& body) {
    std::string out = id;
    putLe(out, static_cast<std::uint32_t>(body.size()), 4);
    return out + body;
}

std::string makeWav(const WavSpec& layout, const std::vector<std::int32_t>& interleaved) {
    const unsigned bytesPerSample = layout.bits / 8;
    std::string fmt;
    putLe(fmt, layout.formatTag, 2);
    putLe(fmt, layout.channels, 2);
    putLe(fmt, layout.rate, 4);
    putLe(fmt, layout.rate * layout.channels * bytesPerSample, 4);
    putLe(fmt, layout.channels * bytesPerSample, 2);
    putLe(fmt, layout.bits, 2);
    std::string data;
    for (std::int32_t v : interleaved) {
        std::uint32_t stored = layout.bits == 8 ? static_cast<std::uint32_t>(v + 128)
                                              : static_cast<std::uint32_t>(v);
        putLe(data, stored, static_cast<int>(bytesPerSample));
    }
    std::string body = "WAVE" + chunk("fmt ", fmt) + layout.chunksBeforeData + chunk("data", data);
    return chunk("RIFF", body);
}

std::vector<std::int32_t> sineWave(double frequency, double rate, std::size_t frames,
                                   double amplitude, unsigned channels) {
    std::vector<std::int32_t> out;
    out.reserve(frames * channels);
    const double pi = 3.14159265358979323846;
    for (std::size_t i = 0; i < frames; ++i) {
        double v = amplitude * std::sin(2 * pi * frequency * static_cast<double>(i) / rate);
        for (unsigned c = 0; c < channels; ++c)
            out.push_back(static_cast<std::int32_t>(std::lround(v)));
    }
    return out;
}

std::vector<std::int16_t> tempWavSamples(const std::string& bytes) {
    std::vector<std::int16_t> out;
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        auto lo = static_cast<unsigned char>(bytes[i]);
        auto hi = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(static_cast<std::int16_t>(lo | (hi << 8)));
    }
    return out;
}

} // namespace testing_support
