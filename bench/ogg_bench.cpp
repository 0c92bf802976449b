// Ogg Vorbis encoding of a 3-minute input, ours next to the command-line encoder of the
// vorbis-tools package ("oggenc -q 0.1") on the same samples in the same run.
//
//   BM_EncodeOgg/<rate>/<channels>          encodeOgg, memory to memory
//   BM_WriteAndroidTarget/<rate>/<channels> temporary WAV file(s) in, .ogg file out
//   BM_Oggenc_q0_1/<rate>/<channels>        "oggenc -q 0.1" as a child process, WAV file in,
//                                           .ogg file out; wall time, and the child's
//                                           processor time as "childCPU_ms"
//   BM_Oggenc_q1/<rate>/<channels>          the same with "-q 1", libvorbis's quality 0.1
//
// Counters: the stream's size ("KiB"), its bit rate ("kbps") and how many times faster than
// real time the encoding ran ("xRealtime").
#include "chimewright/driver/android_target.hpp"
#include "chimewright/driver/ogg_encoder.hpp"
#include "platform/files.hpp"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kSeconds = 180;

// 16-bit little-endian samples of one channel: struck chimes, a note every 0.75 s with
// inharmonic decaying partials, over a little noise. `seed` varies notes and noise per channel.
std::vector<std::uint8_t> chimes(std::uint32_t rate, std::uint32_t seed) {
    const std::uint32_t frames = rate * kSeconds;
    const std::uint32_t noteFrames = rate * 3 / 4;
    const double pi = 3.14159265358979323846;
    const double scale[] = {523.25, 587.33, 659.25, 783.99, 880.0, 1046.5, 1174.7, 1318.5};
    const double partials[] = {1.0, 2.76, 5.40, 8.93};
    std::uint32_t noise = 0x2545F491u ^ seed;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(frames) * 2);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const std::uint32_t note = i / noteFrames;
        double v = 0;
        for (std::uint32_t back = 0; back < 4 && back <= note; ++back) {
            const std::uint32_t k = note - back;
            const double t = static_cast<double>(i - k * noteFrames) / rate;
            const double f = scale[(k * 5 + seed) % 8];
            for (int p = 0; p < 4; ++p)
                if (f * partials[p] < rate / 2.0)
                    v += std::sin(2 * pi * f * partials[p] * t) * std::exp(-t * (1.2 + 1.5 * p)) / (1 + p);
        }
        noise = noise * 1664525u + 1013904223u;
        v = v * 7000 + (static_cast<double>(noise >> 16) - 32768.0) / 128.0;
        const auto s = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v)));
        bytes[2 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(s);
        bytes[2 * static_cast<std::size_t>(i) + 1] = static_cast<std::uint8_t>(s >> 8);
    }
    return bytes;
}

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// A PCM WAV image with a 44-byte header; channels interleaved from the per-channel sample bytes.
std::string wavImage(std::uint32_t rate, const std::vector<const std::vector<std::uint8_t>*>& channels) {
    const auto count = static_cast<std::uint32_t>(channels.size());
    const auto frameBytes = static_cast<std::uint32_t>(channels[0]->size());
    std::string out = "RIFF";
    putLe(out, 36 + frameBytes * count, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, count, 2);
    putLe(out, rate, 4);
    putLe(out, rate * 2 * count, 4);
    putLe(out, 2 * count, 2);
    putLe(out, 16, 2);
    out += "data";
    putLe(out, frameBytes * count, 4);
    out.reserve(out.size() + static_cast<std::size_t>(frameBytes) * count);
    for (std::size_t i = 0; i < frameBytes; i += 2)
        for (const auto* channel : channels) out.append(reinterpret_cast<const char*>(channel->data() + i), 2);
    return out;
}

// The inputs and the scratch folder, made once for the whole run.
struct Inputs {
    platform::Path folder = platform::makeScratchFolder("ogg_bench");
    std::vector<std::uint8_t> mono16k = chimes(16000, 0);
    std::vector<std::uint8_t> right16k = chimes(16000, 3);
    std::vector<std::uint8_t> mono32k = chimes(32000, 0);

    const std::vector<std::uint8_t>& left(int rate) const { return rate == 32000 ? mono32k : mono16k; }

    Inputs() {
        // Temporary WAV files as the conversion leaves them, and ordinary WAV files for oggenc.
        auto put = [&](const char* name, const std::string& image) {
            platform::writeWholeFile(folder / name, image.data(), image.size());
        };
        put("_cwsmtmp.wav", wavImage(8000, {&mono16k}));
        put("_cwm32tmp.wav", wavImage(8000, {&mono32k}));
        put("_cwhltmp.wav", wavImage(8000, {&mono16k}));
        put("_cwhrtmp.wav", wavImage(8000, {&right16k}));
        put("in_16000_1.wav", wavImage(16000, {&mono16k}));
        put("in_32000_1.wav", wavImage(32000, {&mono32k}));
        put("in_16000_2.wav", wavImage(16000, {&mono16k, &right16k}));
    }
    ~Inputs() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const Inputs& inputs() {
    static const Inputs made;
    return made;
}

// User and system time of the finished child processes so far.
double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void report(benchmark::State& state, std::uint64_t streamBytes) {
    const double seconds = kSeconds;
    state.counters["KiB"] = static_cast<double>(streamBytes) / 1024.0;
    state.counters["kbps"] = static_cast<double>(streamBytes) * 8.0 / seconds / 1000.0;
    state.counters["xRealtime"] =
        benchmark::Counter(seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_EncodeOgg(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const int channels = static_cast<int>(state.range(1));
    const Inputs& in = inputs();
    const auto& left = in.left(rate);
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<std::uint8_t> out;
        size = cw::encodeOgg(out, left.data(), channels == 2 ? in.right16k.data() : nullptr,
                             left.size(), 1, rate, channels, "bench", "");
        benchmark::DoNotOptimize(out.data());
    }
    report(state, size);
}

void BM_WriteAndroidTarget(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const int channels = static_cast<int>(state.range(1));
    const Inputs& in = inputs();
    cw::TargetBlock block;
    block.enabled = 1;
    block.rate32k4bit = rate == 32000;
    block.rate16k = rate == 16000 && channels == 1;
    block.stereo16k = channels == 2;
    block.outputPath = in.folder / "Andr" / "bench.ogg";
    for (auto _ : state) {
        const int code = cw::writeAndroidTarget(in.folder / "_cwsmtmp.wav", in.folder / "_cwm32tmp.wav",
                                                in.folder / "_cwhltmp.wav", in.folder / "_cwhrtmp.wav",
                                                block, "bench", "", 0);
        if (code != 0) state.SkipWithError("writeAndroidTarget failed");
    }
    auto file = platform::openForRead(block.outputPath);
    report(state, file.size().value_or(0));
}

// oggenc's -q runs from -1 to 10 and reaches libvorbis divided by ten: "-q 0.1" is libvorbis
// quality 0.01, and "-q 1" is the 0.1 that the Android target encodes at.
void runOggenc(benchmark::State& state, const char* quality) {
    const int rate = static_cast<int>(state.range(0));
    const int channels = static_cast<int>(state.range(1));
    const Inputs& in = inputs();
    const auto input = in.folder / ("in_" + std::to_string(rate) + "_" + std::to_string(channels) + ".wav");
    const auto output = in.folder / "oggenc.ogg";
    const std::string command = std::string("oggenc -Q -q ") + quality + " -o '" + output.string() +
                                "' '" + input.string() + "'";
    if (std::system("command -v oggenc >/dev/null 2>&1") != 0) {
        state.SkipWithError("oggenc is missing (package vorbis-tools)");
        return;
    }
    const double childCpuBefore = childCpuSeconds();
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("oggenc failed");
    // The child's processor time, per run: the benchmark's own CPU column cannot see it.
    state.counters["childCPU_ms"] =
        (childCpuSeconds() - childCpuBefore) * 1000.0 / static_cast<double>(state.iterations());
    auto file = platform::openForRead(output);
    report(state, file.size().value_or(0));
}

void BM_Oggenc_q0_1(benchmark::State& state) { runOggenc(state, "0.1"); }
void BM_Oggenc_q1(benchmark::State& state) { runOggenc(state, "1"); }

void shapes(benchmark::internal::Benchmark* b) {
    b->Args({16000, 1})->Args({32000, 1})->Args({16000, 2})->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_EncodeOgg)->Apply(shapes);
BENCHMARK(BM_WriteAndroidTarget)->Apply(shapes);
BENCHMARK(BM_Oggenc_q0_1)->Apply(shapes);
BENCHMARK(BM_Oggenc_q1)->Apply(shapes);

BENCHMARK_MAIN();
