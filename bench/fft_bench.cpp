// Our FFT next to FFTW's estimate-mode plan, in the same run, at 2^21 and 2^23 complex points,
// in place. Both compute the same transform (exponent sign -1, FFTW_FORWARD; our +1 runs the
// same code with conjugated twiddles). Every iteration starts from the same input, restored
// outside the timed region. Our time includes building the twiddle tables (done on every
// call); FFTW's plan is made once, outside the timing, as its users do.
//
// Also the band-pass of the band limiter (forward, mask, inverse) against FFTW doing the same with
// two plans and a zeroing loop.
#include "shared/fft.hpp"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// The same input for both: FFTW's allocator (aligned the way FFTW likes), random values.
class Buffers {
  public:
    explicit Buffers(std::size_t n)
        : n_(n), work_(fftw_alloc_complex(n)), input_(fftw_alloc_complex(n)) {
        std::uint64_t s = 88172645463325252ull;
        for (std::size_t i = 0; i < n; ++i) {
            for (int part = 0; part < 2; ++part) {
                s ^= s << 13;
                s ^= s >> 7;
                s ^= s << 17;
                input_[i][part] = static_cast<double>(s >> 11) / 9007199254740992.0 - 0.5;
            }
        }
        restore();
    }
    ~Buffers() {
        fftw_free(work_);
        fftw_free(input_);
    }
    Buffers(const Buffers&) = delete;
    Buffers& operator=(const Buffers&) = delete;

    void restore() { std::memcpy(work_, input_, n_ * sizeof(fftw_complex)); }
    fftw_complex* fftw() { return work_; }
    suite::Complex* ours() { return reinterpret_cast<suite::Complex*>(work_); }
    std::size_t size() const { return n_; }

  private:
    std::size_t n_;
    fftw_complex* work_;
    fftw_complex* input_;
};

void setCounters(benchmark::State& state, std::size_t n) {
    // Nominal 5 n log2 n flops per transform, the usual yardstick.
    const double flops = 5.0 * static_cast<double>(n) * std::log2(static_cast<double>(n));
    state.counters["MFlops"] = benchmark::Counter(
        flops * 1e-6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_OurFft(benchmark::State& state) {
    const std::size_t n = std::size_t{1} << state.range(0);
    Buffers b(n);
    for (auto _ : state) {
        suite::fft(b.ours(), n, -1);
        benchmark::DoNotOptimize(b.ours()[n / 3]);
        state.PauseTiming();
        b.restore();
        state.ResumeTiming();
    }
    setCounters(state, n);
}

void BM_FftwEstimate(benchmark::State& state) {
    const std::size_t n = std::size_t{1} << state.range(0);
    Buffers b(n);
    fftw_plan plan =
        fftw_plan_dft_1d(static_cast<int>(n), b.fftw(), b.fftw(), FFTW_FORWARD, FFTW_ESTIMATE);
    b.restore();
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(b.fftw()[n / 3][0]);
        state.PauseTiming();
        b.restore();
        state.ResumeTiming();
    }
    fftw_destroy_plan(plan);
    setCounters(state, n);
}

// The band limiting of a 44100 Hz sound for the 8000 Hz target: bins [k0, d) kept.
void bandOf(std::size_t n, std::size_t& keepBegin, std::size_t& keepEnd) {
    keepBegin = static_cast<std::size_t>(static_cast<double>(n) * 20.0 / 44100.0 + 0.5);
    keepEnd = static_cast<std::size_t>(static_cast<double>(n) * 4000.0 / 44100.0 - 0.5);
}

void BM_OurBandPass(benchmark::State& state) {
    const std::size_t n = std::size_t{1} << state.range(0);
    Buffers b(n);
    std::size_t begin = 0;
    std::size_t end = 0;
    bandOf(n, begin, end);
    for (auto _ : state) {
        suite::fftBandPass(b.ours(), n, begin, end);
        benchmark::DoNotOptimize(b.ours()[n / 3]);
        state.PauseTiming();
        b.restore();
        state.ResumeTiming();
    }
}

void BM_FftwBandPass(benchmark::State& state) {
    const std::size_t n = std::size_t{1} << state.range(0);
    Buffers b(n);
    std::size_t begin = 0;
    std::size_t end = 0;
    bandOf(n, begin, end);
    fftw_plan forward =
        fftw_plan_dft_1d(static_cast<int>(n), b.fftw(), b.fftw(), FFTW_BACKWARD, FFTW_ESTIMATE);
    fftw_plan inverse =
        fftw_plan_dft_1d(static_cast<int>(n), b.fftw(), b.fftw(), FFTW_FORWARD, FFTW_ESTIMATE);
    b.restore();
    for (auto _ : state) {
        fftw_execute(forward);
        fftw_complex* x = b.fftw();
        std::fill(&x[0][0], &x[begin][0], 0.0);
        std::fill(&x[end][0], &x[0][0] + 2 * n, 0.0);
        fftw_execute(inverse);
        benchmark::DoNotOptimize(x[n / 3][0]);
        state.PauseTiming();
        b.restore();
        state.ResumeTiming();
    }
    fftw_destroy_plan(forward);
    fftw_destroy_plan(inverse);
}

} // namespace

BENCHMARK(BM_OurFft)->Arg(21)->Arg(23)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FftwEstimate)->Arg(21)->Arg(23)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OurBandPass)->Arg(21)->Arg(23)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FftwBandPass)->Arg(21)->Arg(23)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
