// The long input of the speed measurements: 3 minutes of 44100 Hz stereo 16-bit PCM, struck
// chimes with a little noise. Written in pieces, so the generator itself stays small. The
// benchmarks in bench/ and tools/time-job.sh use the same bytes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace longinput {

constexpr unsigned kRate = 44100;
constexpr std::uint32_t kSeconds = 180;

namespace detail {

inline void put16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
inline void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

} // namespace detail

// Struck chimes: a new note every 0.75 s, inharmonic partials with exponential decays, panned
// by note, and a little noise; peaks well inside 16 bits. False when the file cannot be written.
inline bool writeLongInput(const std::filesystem::path& path) {
    using detail::put16;
    using detail::put32;
    const std::uint32_t frames = kRate * kSeconds;
    const std::uint32_t dataBytes = frames * 4;
    std::vector<unsigned char> header(44);
    std::memcpy(&header[0], "RIFF", 4);
    put32(header, 4, dataBytes + 36);
    std::memcpy(&header[8], "WAVEfmt ", 8);
    put32(header, 16, 16);
    put16(header, 20, 1);
    put16(header, 22, 2);
    put32(header, 24, kRate);
    put32(header, 28, kRate * 4);
    put16(header, 32, 4);
    put16(header, 34, 16);
    std::memcpy(&header[36], "data", 4);
    put32(header, 40, dataBytes);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()), 44);

    const double pi = 3.14159265358979323846;
    const double scale[] = {523.25, 587.33, 659.25, 783.99, 880.0, 1046.5, 1174.7, 1318.5};
    const double partials[] = {1.0, 2.76, 5.40, 8.93};
    const std::uint32_t noteFrames = kRate * 3 / 4;
    std::uint64_t noise = 0x9E3779B97F4A7C15ull;
    std::vector<unsigned char> chunk;
    chunk.reserve(1 << 20);
    for (std::uint32_t i = 0; i < frames; ++i) {
        double left = 0;
        double right = 0;
        // The last four notes still ring.
        const std::uint32_t note = i / noteFrames;
        for (std::uint32_t back = 0; back < 4 && back <= note; ++back) {
            const std::uint32_t k = note - back;
            const double t = static_cast<double>(i - k * noteFrames) / kRate;
            const double f = scale[(k * 5) % 8];
            double v = 0;
            for (int p = 0; p < 4; ++p)
                v += std::sin(2 * pi * f * partials[p] * t) * std::exp(-t * (1.2 + 1.5 * p)) /
                     (1 + p);
            const double pan = static_cast<double>(k % 5) / 4.0;
            left += v * (1 - pan);
            right += v * pan;
        }
        noise ^= noise << 13;
        noise ^= noise >> 7;
        noise ^= noise << 17;
        const double hiss = (static_cast<double>(noise >> 40) / 16777216.0 - 0.5) * 60;
        const auto sample = [](double v) {
            return static_cast<std::uint16_t>(
                static_cast<std::int16_t>(std::lround(std::max(-32768.0, std::min(32767.0, v)))));
        };
        const std::uint16_t l = sample(left * 9000 + hiss);
        const std::uint16_t r = sample(right * 9000 - hiss);
        const unsigned char bytes[4] = {
            static_cast<unsigned char>(l), static_cast<unsigned char>(l >> 8),
            static_cast<unsigned char>(r), static_cast<unsigned char>(r >> 8)};
        chunk.insert(chunk.end(), bytes, bytes + 4);
        if (chunk.size() >= (1u << 20)) {
            out.write(reinterpret_cast<const char*>(chunk.data()),
                      static_cast<std::streamsize>(chunk.size()));
            chunk.clear();
        }
    }
    out.write(reinterpret_cast<const char*>(chunk.data()),
              static_cast<std::streamsize>(chunk.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace longinput
