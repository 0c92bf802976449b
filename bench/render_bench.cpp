// Rendering the temporary WAV files of a 3-minute 44100 Hz stereo 16-bit input (generated here,
// streamed to disk so the generator itself stays small): the whole set a batch can need
// (8 kHz mix, narrow mix, left, right; 16 kHz mix, left, right; 32 kHz mix) and single renders.
//
// Peak memory: every benchmark reports the process's peak resident set (getrusage) as
// "peakRSS_MiB". Run one render alone for the figure of that render:
//   render_bench --benchmark_filter='BM_Render8kMix$'
// or, for one single render and nothing else in the process:
//   /usr/bin/time -v render_bench --render-once-8k
#include "chimewright/audio/wav_reader.hpp"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr unsigned kRate = 44100;
constexpr std::uint32_t kSeconds = 180;

void put16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// Struck chimes: a new note every 0.75 s, inharmonic partials with exponential decays, panned
// by note, and a little noise; peaks well inside 16 bits.
void writeInput(const fs::path& path) {
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
}

// One folder per process with the input, made on first use and removed at exit.
class Fixture {
  public:
    static Fixture& get() {
        static Fixture f;
        return f;
    }
    const fs::path& input() const { return input_; }
    const fs::path& folder() const { return folder_; }
    ~Fixture() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

  private:
    Fixture() {
        folder_ = fs::temp_directory_path() / ("cw_render_bench_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        input_ = folder_ / "three_minutes.wav";
        writeInput(input_);
    }
    fs::path folder_;
    fs::path input_;
};

double peakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // KiB on Linux
}

constexpr double kLevel = 0.9; // normalisation on, as in the default settings

int renderAll(const Fixture& f) {
    int code = 0;
    const auto& in = f.input();
    const auto& work = f.folder();
    if ((code = cw::readWavToTemp8k(in, kLevel, 0, cw::channelMix, work))) return code;
    if ((code = cw::readWavToTemp8k(in, kLevel, 1, cw::channelMix, work))) return code;
    if ((code = cw::readWavToTemp8k(in, kLevel, 0, cw::channelLeft, work))) return code;
    if ((code = cw::readWavToTemp8k(in, kLevel, 0, cw::channelRight, work))) return code;
    if ((code = cw::readWavToTemp16k(in, kLevel, cw::channelMix, work))) return code;
    if ((code = cw::readWavToTemp16k(in, kLevel, cw::channelLeft, work))) return code;
    if ((code = cw::readWavToTemp16k(in, kLevel, cw::channelRight, work))) return code;
    return cw::readWavToTemp32k(in, kLevel, work);
}

void BM_RenderAllTempFiles(benchmark::State& state) {
    const Fixture& f = Fixture::get();
    for (auto _ : state) {
        if (int code = renderAll(f))
            state.SkipWithError(("render failed: " + std::to_string(code)).c_str());
    }
    state.counters["peakRSS_MiB"] = peakRssMiB();
    state.counters["renders"] = 8;
}

void BM_Render8kMix(benchmark::State& state) {
    const Fixture& f = Fixture::get();
    for (auto _ : state) {
        if (int code = cw::readWavToTemp8k(f.input(), kLevel, 0, cw::channelMix, f.folder()))
            state.SkipWithError(("render failed: " + std::to_string(code)).c_str());
    }
    state.counters["peakRSS_MiB"] = peakRssMiB();
}

void BM_Render16kMix(benchmark::State& state) {
    const Fixture& f = Fixture::get();
    for (auto _ : state) {
        if (int code = cw::readWavToTemp16k(f.input(), kLevel, cw::channelMix, f.folder()))
            state.SkipWithError(("render failed: " + std::to_string(code)).c_str());
    }
    state.counters["peakRSS_MiB"] = peakRssMiB();
}

void BM_Render32kMix(benchmark::State& state) {
    const Fixture& f = Fixture::get();
    for (auto _ : state) {
        if (int code = cw::readWavToTemp32k(f.input(), kLevel, f.folder()))
            state.SkipWithError(("render failed: " + std::to_string(code)).c_str());
    }
    state.counters["peakRSS_MiB"] = peakRssMiB();
}

} // namespace

BENCHMARK(BM_RenderAllTempFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render8kMix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render16kMix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render32kMix)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--render-once-8k") == 0) {
        // One 8 kHz render and nothing else, for an outside measurement of the peak.
        const Fixture& f = Fixture::get();
        const double before = peakRssMiB();
        const int code = cw::readWavToTemp8k(f.input(), kLevel, 0, cw::channelMix, f.folder());
        std::printf(
            "input %ju bytes; result %d; peak RSS before the render %.1f MiB, after %.1f MiB\n",
            static_cast<std::uintmax_t>(fs::file_size(f.input())), code, before, peakRssMiB());
        return code == 0 ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
