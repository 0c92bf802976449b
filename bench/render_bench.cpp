// Rendering the temporary WAV files of a 3-minute 44100 Hz stereo 16-bit input (the long input
// of tools/long_input): the whole set a batch can need
// (8 kHz mix, narrow mix, left, right; 16 kHz mix, left, right; 32 kHz mix) and single renders.
//
// Peak memory: every benchmark reports the process's peak resident set (getrusage) as
// "peakRSS_MiB". Run one render alone for the figure of that render:
//   render_bench --benchmark_filter='BM_Render8kMix$'
// or, for one single render and nothing else in the process:
//   /usr/bin/time -v render_bench --render-once-8k
#include "chimewright/audio/wav_reader.hpp"
#include "tools/long_input/long_input.hpp"

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
        longinput::writeLongInput(input_);
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
