// The renders of one whole input next to FFTW doing the transforms they ask for.
//
// Input: the 3-minute 44100 Hz stereo file of tools/long_input (7,938,000 frames, so every
// render transforms 2^23 complex points). The eight temporary files a batch with every target
// needs (8 kHz mix, narrow, left, right; 16 kHz mix, left, right; 32 kHz mix) take 8 forward
// and 8 inverse transforms of 2^23 points as the algorithm states it. The yardstick is FFTW's
// estimate plan doing those 16 transforms on one core (plans made outside the timing, the
// input restored outside it before each forward/inverse pair).
//
//   job_bench                        both benchmarks, Google Benchmark's usual options
//   job_bench --fftw-16              one timed run of the 16 FFTW transforms; prints wall and
//                                    processor seconds
//   job_bench --write-input FILE     the long input, for outside measurements
//
// Peak memory is the console program's (tools/time-job.sh): this process also holds FFTW's
// buffers.
// tools/time-job.sh runs the console program and `--fftw-16` in turn for the whole-process
// ratio.
#include "chimewright/driver/intermediates.hpp"
#include "tools/long_input/long_input.hpp"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPoints = std::size_t{1} << 23;
constexpr int kRenders = 8;
constexpr double kLevel = 0.9; // normalisation on, as in the default settings

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
        folder_ = fs::temp_directory_path() / ("cw_job_bench_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        input_ = folder_ / "three_minutes.wav";
        longinput::writeLongInput(input_);
    }
    fs::path folder_;
    fs::path input_;
};

// FFTW's side: one buffer, a forward and a backward estimate plan, a saved input.
class FftwTransforms {
  public:
    FftwTransforms() : work_(fftw_alloc_complex(kPoints)), input_(fftw_alloc_complex(kPoints)) {
        std::uint64_t s = 88172645463325252ull;
        for (std::size_t i = 0; i < kPoints; ++i) {
            s ^= s << 13;
            s ^= s >> 7;
            s ^= s << 17;
            input_[i][0] = static_cast<double>(s >> 11) / 9007199254740992.0 - 0.5;
            input_[i][1] = 0.0; // real samples, as the renders transform them
        }
        const int n = static_cast<int>(kPoints);
        forward_ = fftw_plan_dft_1d(n, work_, work_, FFTW_FORWARD, FFTW_ESTIMATE);
        backward_ = fftw_plan_dft_1d(n, work_, work_, FFTW_BACKWARD, FFTW_ESTIMATE);
    }
    ~FftwTransforms() {
        fftw_destroy_plan(forward_);
        fftw_destroy_plan(backward_);
        fftw_free(work_);
        fftw_free(input_);
    }
    FftwTransforms(const FftwTransforms&) = delete;
    FftwTransforms& operator=(const FftwTransforms&) = delete;

    void restore() { std::memcpy(work_, input_, kPoints * sizeof(fftw_complex)); }
    void forward() { fftw_execute(forward_); }
    void backward() { fftw_execute(backward_); }
    double probe() const { return work_[kPoints / 3][0]; }

  private:
    fftw_complex* work_;
    fftw_complex* input_;
    fftw_plan forward_;
    fftw_plan backward_;
};

void BM_RenderEveryTempFile(benchmark::State& state) {
    const Fixture& f = Fixture::get();
    const cw::Intermediates all{true, true, true, true, true, true};
    for (auto _ : state) {
        if (int code = cw::renderIntermediates(f.input(), all, kLevel, f.folder()))
            state.SkipWithError(("render failed: " + std::to_string(code)).c_str());
    }
}

void BM_Fftw16Transforms(benchmark::State& state) {
    FftwTransforms t;
    for (auto _ : state) {
        for (int r = 0; r < kRenders; ++r) {
            state.PauseTiming();
            t.restore();
            state.ResumeTiming();
            t.forward();
            t.backward();
        }
        benchmark::DoNotOptimize(t.probe());
    }
}

// Wall and processor seconds of the 16 transforms, for a script: "wall cpu".
int timeFftwOnce() {
    FftwTransforms t;
    double wall = 0;
    double cpu = 0;
    for (int r = 0; r < kRenders; ++r) {
        t.restore();
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t startCpu = std::clock();
        t.forward();
        t.backward();
        cpu += static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    volatile double keep = t.probe(); // the transforms' result is used
    (void)keep;
    std::printf("%.3f %.3f\n", wall, cpu);
    return 0;
}

} // namespace

BENCHMARK(BM_RenderEveryTempFile)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime() // the split loops run on helper threads too
    ->UseRealTime();
BENCHMARK(BM_Fftw16Transforms)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--fftw-16") == 0) return timeFftwOnce();
    if (argc == 3 && std::strcmp(argv[1], "--write-input") == 0)
        return longinput::writeLongInput(argv[2]) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
