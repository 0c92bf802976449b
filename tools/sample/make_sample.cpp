// Writes the bundled sample: a three-note struck chime, stereo, 44100 Hz, 16-bit PCM.
// Each strike is a sum of inharmonic partials with their own decay, so it rings like a small
// bell; the three notes sit at different places in the stereo field.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double seconds = 3.5;
constexpr double pi = 3.14159265358979323846;

struct Partial {
    double ratio;     // to the strike's fundamental
    double amplitude;
    double decay;     // seconds to fall to 1/e
};

// Partial ratios of a small bell: hum, prime, tierce, quint, nominal and above.
constexpr Partial bellPartials[] = {
    {0.50, 0.30, 1.60}, {1.00, 0.60, 1.20}, {1.19, 0.35, 0.90}, {1.50, 0.25, 0.70},
    {2.00, 0.45, 0.60}, {2.74, 0.20, 0.40}, {3.00, 0.15, 0.35}, {4.07, 0.10, 0.25},
};

struct Strike {
    double start;     // seconds
    double frequency; // Hz
    double pan;       // 0 = left, 1 = right
};

constexpr Strike strikes[] = {{0.00, 659.25, 0.3}, {0.45, 523.25, 0.7}, {0.90, 783.99, 0.5}};

void putLe(std::FILE* f, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((v >> (8 * i)) & 0xFF), f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUT.wav\n");
        return 2;
    }
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    std::vector<double> left(frames), right(frames);
    for (const Strike& s : strikes) {
        const auto first = static_cast<std::size_t>(s.start * sampleRate);
        for (std::size_t i = first; i < frames; ++i) {
            double t = static_cast<double>(i - first) / sampleRate;
            double attack = std::min(1.0, t / 0.002); // a soft 2 ms strike, no click
            double v = 0;
            for (const Partial& p : bellPartials)
                v += p.amplitude * std::exp(-t / p.decay) *
                     std::sin(2 * pi * s.frequency * p.ratio * t);
            v *= attack;
            left[i] += v * std::sqrt(1 - s.pan);
            right[i] += v * std::sqrt(s.pan);
        }
    }
    double peak = 0;
    for (std::size_t i = 0; i < frames; ++i)
        peak = std::max(peak, std::max(std::fabs(left[i]), std::fabs(right[i])));
    const double gain = 0.7 * 32767 / peak;
    // Fade the last 100 ms so the file ends in silence.
    const std::size_t fade = sampleRate / 10;

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const auto dataBytes = static_cast<std::uint32_t>(frames * 4);
    std::fwrite("RIFF", 1, 4, f);
    putLe(f, dataBytes + 36, 4);
    std::fwrite("WAVEfmt ", 1, 8, f);
    putLe(f, 16, 4);
    putLe(f, 1, 2);
    putLe(f, 2, 2);
    putLe(f, sampleRate, 4);
    putLe(f, sampleRate * 4, 4);
    putLe(f, 4, 2);
    putLe(f, 16, 2);
    std::fwrite("data", 1, 4, f);
    putLe(f, dataBytes, 4);
    for (std::size_t i = 0; i < frames; ++i) {
        double fadeGain = i + fade > frames ? static_cast<double>(frames - i) / fade : 1.0;
        for (double v : {left[i], right[i]}) {
            auto s = static_cast<std::int16_t>(std::lround(v * gain * fadeGain));
            putLe(f, static_cast<std::uint16_t>(s), 2);
        }
    }
    return std::fclose(f) == 0 ? 0 : 1;
}
