// A batch of 16 three-second stereo inputs (44100 Hz) to every target, converted by one
// worker and by two (--jobs 1 and --jobs 2 of the console program), in the same run.
//
//   BM_Batch/<jobs>        the batch with that many workers; wall time
//   BM_BatchAlternating    each iteration runs the batch with one worker, then with two, so
//                          that both see the same load of a shared machine; counters
//                          "oneJob_s", "twoJobs_s" (wall seconds per batch), "speedup", and
//                          the processor seconds the batches took (all threads and the
//                          tarnwick children): "oneJobCPU_s", "twoJobsCPU_s". Processor
//                          seconds over wall seconds is how many cores the batch had.
//
// tarnwick lies beside the benchmark (the SMAF target takes its 8 kHz route through it);
// there is no QCP converter, so the QCP target makes no file, as on a machine without one.
#include "chimewright/app/batch.hpp"
#include "chimewright/cli/parallel_batch.hpp"
#include "platform/files.hpp"
#include "platform/text.hpp"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int kRows = 16;
constexpr std::uint32_t kRate = 44100;
constexpr std::uint32_t kSeconds = 3;

namespace opt = cw::option;

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A stereo PCM file: two chords of decaying partials, different per row and channel.
std::string stereoInput(int row) {
    const std::uint32_t frames = kRate * kSeconds;
    std::string data;
    const double pi = 3.14159265358979323846;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        for (int channel = 0; channel < 2; ++channel) {
            const double f = 330.0 * std::pow(2.0, (row + 4 * channel) / 12.0);
            double v = 0;
            for (int p = 1; p <= 4; ++p) v += std::sin(2 * pi * f * p * t) * std::exp(-t * p) / p;
            putLe(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 9000))), 2);
        }
    }
    std::string file = "RIFF";
    putLe(file, static_cast<std::uint32_t>(36 + data.size()), 4);
    file += "WAVEfmt ";
    putLe(file, 16, 4);
    putLe(file, 1, 2);
    putLe(file, 2, 2);
    putLe(file, kRate, 4);
    putLe(file, kRate * 4, 4);
    putLe(file, 4, 2);
    putLe(file, 16, 2);
    file += "data";
    putLe(file, static_cast<std::uint32_t>(data.size()), 4);
    return file + data;
}

// Processor seconds of this process's threads and its ended children so far.
double processorSeconds() {
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                 1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    }
    return total;
}

// Every target on, each on one of its rate or stereo options.
cw::SettingsState everyTarget() {
    cw::SettingsState state;
    const std::uint32_t choices[] = {opt::rate8k, opt::rate4k, opt::stereo16k, opt::stereo8k,
                                     opt::rate16k, opt::rate32k2bit, opt::rate32k4bit};
    for (std::size_t t = 0; t < cw::targetCount; ++t) state.flags[t] = opt::create | choices[t % 7];
    state.flags[cw::targetSmaf] = opt::create | opt::unlimited | opt::rate8k;
    state.flags[cw::targetAndroid] = opt::create | opt::stereo16k;
    return state;
}

class QuietPort : public cw::BatchPort {
public:
    QuietPort(std::string output) : output_(std::move(output)) {}
    cw::SettingsState settings() override { return state_; }
    std::optional<std::string> chooseOutputFolder(std::string_view, std::string_view) override {
        return output_;
    }
    void rowStarting(const cw::FileList&, std::size_t) override {}
    void rowFinished(const cw::FileList&, std::size_t) override {}
    bool askRetry(std::string_view) override { return false; }
    void showMessage(std::string_view) override {}

private:
    cw::SettingsState state_ = everyTarget();
    std::string output_;
};

struct Fixture {
    platform::Path folder = platform::makeScratchFolder("cw-batch-bench");
    cw::FileList list;

    Fixture() {
        // tarnwick's single-instance lock lives in $XDG_RUNTIME_DIR: a folder of our own keeps
        // other users' tarnwick runs on a shared machine from refusing ours (1033).
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        for (int row = 0; row < kRows; ++row) {
            const std::string name = "ring" + std::to_string(row);
            const std::string bytes = stereoInput(row);
            platform::writeWholeFile(folder / (name + ".wav"), bytes.data(), bytes.size());
            list.rows.push_back({platform::pathToUtf8(folder / (name + ".wav")), name, name, 0});
        }
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // Wall seconds of one batch (its processor seconds in `cpu`); false in `ok` when a row
    // failed.
    double batch(int jobs, bool& ok, double* cpu = nullptr) {
        const platform::Path work = folder / ("work" + std::to_string(jobs));
        QuietPort port(platform::pathToUtf8(folder / ("out" + std::to_string(jobs))));
        cw::BatchSetup setup;
        setup.settingsFile = folder / "ferrowind.ini";
        setup.workFolder = work;
        setup.programFolder = platform::moduleFolder();
        const auto folders = cw::cli::workerFolders(work, jobs);
        for (const platform::Path& f : folders) std::filesystem::create_directories(f);
        setup.runPass = cw::cli::parallelPass(folders);
        cw::WorkerSlot worker;
        worker.claim(1);
        const double cpuBefore = processorSeconds();
        const auto start = std::chrono::steady_clock::now();
        const cw::BatchEnd end = cw::runBatch(list, port, setup, worker);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (cpu) *cpu += processorSeconds() - cpuBefore;
        ok = end == cw::BatchEnd::allSucceeded;
        for (std::size_t i = 0; i < list.results.size(); ++i)
            if (list.results[i] != 0)
                std::fprintf(stderr, "jobs %d: row %zu failed with %d\n", jobs, i, list.results[i]);
        return took.count();
    }
};

Fixture& fixture() {
    static Fixture shared;
    return shared;
}

void BM_Batch(benchmark::State& state) {
    const int jobs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        bool ok = false;
        state.SetIterationTime(fixture().batch(jobs, ok));
        if (!ok) state.SkipWithError("a row failed");
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_Batch)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BatchAlternating(benchmark::State& state) {
    double one = 0, two = 0, oneCpu = 0, twoCpu = 0;
    for (auto _ : state) {
        bool ok1 = false, ok2 = false;
        one += fixture().batch(1, ok1, &oneCpu);
        two += fixture().batch(2, ok2, &twoCpu);
        if (!ok1 || !ok2) state.SkipWithError("a row failed");
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["oneJob_s"] = one / n;
    state.counters["twoJobs_s"] = two / n;
    state.counters["speedup"] = two > 0 ? one / two : 0;
    state.counters["oneJobCPU_s"] = oneCpu / n;
    state.counters["twoJobsCPU_s"] = twoCpu / n;
}
BENCHMARK(BM_BatchAlternating)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
