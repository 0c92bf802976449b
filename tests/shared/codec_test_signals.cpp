#include "tests/shared/codec_test_signals.hpp"

#include "shared/byte_order.hpp"
#include "shared/temp_wav.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace codec_test {

namespace {

constexpr double rate = 8000.0;
constexpr double twoPi = 2.0 * std::numbers::pi;

// xorshift32: the same noise everywhere.
class Noise {
public:
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 4294967296.0 * 2.0 - 1.0;
    }

private:
    std::uint32_t state_ = 0x2545F491u;
};

// Two-pole resonator at a centre frequency with a bandwidth, unity gain near the peak.
class Resonator {
public:
    double run(double x, double centre, double bandwidth) {
        const double r = std::exp(-std::numbers::pi * bandwidth / rate);
        const double c = 2.0 * r * std::cos(twoPi * centre / rate);
        const double y = (1.0 - r) * x + c * y1_ - r * r * y2_;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double y1_ = 0.0;
    double y2_ = 0.0;
};

std::vector<std::int16_t> scaleToPeak(const std::vector<double>& x, double peak) {
    double maxAbs = 1e-9;
    for (double v : x) maxAbs = std::max(maxAbs, std::abs(v));
    std::vector<std::int16_t> out(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        out[i] = static_cast<std::int16_t>(std::lround(x[i] / maxAbs * peak));
    }
    return out;
}

} // namespace

std::vector<std::int16_t> speechLike(std::size_t samples) {
    // Vowel formant targets (F1, F2, F3), one per syllable in turn.
    constexpr double vowels[][3] = {
        {730, 1090, 2440}, {270, 2290, 3010}, {530, 1840, 2480}, {300, 870, 2240}, {660, 1720, 2410}};
    Noise noise;
    Resonator f1, f2, f3, hiss;
    std::vector<double> x(samples);
    double phase = 0.0;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double syllable = t * 4.0; // four syllables per second
        const auto index = static_cast<std::size_t>(syllable);
        const double within = syllable - static_cast<double>(index);
        const double* from = vowels[index % 5];
        const double* to = vowels[(index + 1) % 5];
        const double glide = within * within;

        // Voiced part: band-limited pulse train with a gliding pitch, under a syllable arch.
        const double f0 = 110.0 + 35.0 * std::sin(twoPi * 0.7 * t) + 20.0 * within;
        phase += f0 / rate;
        double source = 0.0;
        for (int k = 1; k * f0 < 3400.0; ++k) source += std::cos(twoPi * k * phase) / k;
        const double voiced = within < 0.75 ? std::sin(std::numbers::pi * within / 0.75) : 0.0;
        double v = 0.0;
        v += f1.run(source * voiced, from[0] + (to[0] - from[0]) * glide, 90.0);
        v += 0.6 * f2.run(source * voiced, from[1] + (to[1] - from[1]) * glide, 110.0);
        v += 0.3 * f3.run(source * voiced, from[2] + (to[2] - from[2]) * glide, 170.0);

        // Unvoiced part: a hiss burst in the pause between syllables.
        const double burst = within > 0.8 && within < 0.95 ? 0.35 : 0.0;
        v += burst * hiss.run(noise.next(), 3000.0, 1200.0) * 4.0;
        x[i] = v;
    }
    return scaleToPeak(x, 0.7 * 32767.0);
}

std::vector<std::int16_t> musicLike(std::size_t samples) {
    // Chords as semitone offsets from A3 (220 Hz), one per half second, and a bass root.
    constexpr int chords[][3] = {{0, 4, 7}, {5, 9, 12}, {7, 11, 14}, {-3, 0, 4}};
    std::vector<double> x(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        const auto bar = static_cast<std::size_t>(t * 2.0);
        const double sinceNote = t - static_cast<double>(bar) / 2.0;
        const int* chord = chords[bar % 4];
        double v = 0.0;
        for (int n = 0; n < 3; ++n) {
            const double f = 220.0 * std::pow(2.0, chord[n] / 12.0);
            const double env = std::exp(-sinceNote * 5.0) * (1.0 - std::exp(-sinceNote * 400.0));
            for (int k = 1; k <= 8 && k * f < 3800.0; ++k) {
                v += env * std::sin(twoPi * k * f * t + 0.3 * k) / std::pow(k, 1.5);
            }
        }
        const double bass = 110.0 * std::pow(2.0, chord[0] / 12.0) / 2.0;
        v += 0.8 * std::sin(twoPi * bass * t) + 0.3 * std::sin(twoPi * 2.0 * bass * t);
        x[i] = v;
    }
    return scaleToPeak(x, 0.7 * 32767.0);
}

std::vector<std::int16_t> fadedTone(double frequency, double amplitude, std::size_t samples,
                                    std::size_t fadeSamples) {
    std::vector<std::int16_t> out(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        const double fade = std::min(1.0, static_cast<double>(i) / static_cast<double>(fadeSamples));
        out[i] = static_cast<std::int16_t>(
            std::lround(amplitude * fade * std::sin(twoPi * frequency * static_cast<double>(i) / rate)));
    }
    return out;
}

double snrDb(std::span<const std::int16_t> reference, std::span<const std::int16_t> decoded) {
    const std::size_t n = std::min(reference.size(), decoded.size());
    double signal = 0.0;
    double noise = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = reference[i];
        const double e = r - decoded[i];
        signal += r * r;
        noise += e * e;
    }
    if (noise == 0.0) return 200.0;
    return 10.0 * std::log10(signal / noise);
}

std::vector<unsigned char> tempWavImage(std::span<const std::int16_t> samples) {
    const auto header = suite::tempWavHeader(static_cast<std::uint32_t>(samples.size() * 2));
    std::vector<unsigned char> image(header.begin(), header.end());
    image.resize(header.size() + samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        suite::writeLe16(&image[header.size() + 2 * i], static_cast<std::uint16_t>(samples[i]));
    }
    return image;
}

std::string pcmBytes(std::span<const std::int16_t> samples) {
    std::string bytes(samples.size() * 2, '\0');
    for (std::size_t i = 0; i < samples.size(); ++i) {
        suite::writeLe16(reinterpret_cast<unsigned char*>(&bytes[2 * i]),
                         static_cast<std::uint16_t>(samples[i]));
    }
    return bytes;
}

std::vector<std::int16_t> pcmSamples(const std::string& bytes) {
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(
            suite::readLe16(reinterpret_cast<const unsigned char*>(&bytes[2 * i])));
    }
    return samples;
}

} // namespace codec_test
