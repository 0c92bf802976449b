// Encode and decode throughput of the ADPCM codecs, with ffmpeg encoding the same samples in
// the same run as the yardstick.
//
// Our codecs run in-process on 60 s of an 8000-Hz music-like signal. ffmpeg runs as a child
// process on a 10-minute repetition of the same signal and, separately, on 0.1 s of it; the
// difference of the two runs' CPU times (user + system of the child processes) is the cost of
// encoding the extra samples, without the program's start-up, probing and muxer set-up.
// ffmpeg's figure still includes reading the raw input and writing the output through its
// demuxer and muxer. Both sides are reported as samples per CPU second (items_per_second),
// which holds up on a machine busy with other work.
#include "platform/files.hpp"
#include "shared/g726_channel.hpp"
#include "shared/ima_adpcm.hpp"
#include "shared/ima_adpcm_channel.hpp"
#include "shared/step_adpcm_channel.hpp"
#include "shared/step_adpcm_unpack.hpp"
#include "shared/temp_wav.hpp"
#include "shared/byte_order.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr std::size_t rate = 8000;
constexpr std::size_t ourSamples = 60 * rate;

// Decaying harmonic chords over a bass line, about 70 % of full scale.
std::vector<std::int16_t> musicSignal(std::size_t n) {
    std::vector<std::int16_t> out(n);
    constexpr double roots[] = {220.0, 293.66, 329.63, 196.0};
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const auto bar = static_cast<std::size_t>(t * 2.0);
        const double since = t - static_cast<double>(bar) / 2.0;
        const double root = roots[bar % 4];
        double v = 0.0;
        for (double ratio : {1.0, 1.26, 1.5}) {
            for (int k = 1; k <= 6; ++k) {
                v += std::exp(-5.0 * since) * std::sin(2 * std::numbers::pi * k * root * ratio * t) / (k * k);
            }
        }
        v += 0.5 * std::sin(2 * std::numbers::pi * root / 4 * t);
        out[i] = static_cast<std::int16_t>(std::lround(v * 6000.0));
    }
    return out;
}

const std::vector<std::int16_t>& samples() {
    static const std::vector<std::int16_t> s = musicSignal(ourSamples);
    return s;
}

const std::vector<unsigned char>& wavImage() {
    static const std::vector<unsigned char> image = [] {
        const auto& s = samples();
        const auto header = suite::tempWavHeader(static_cast<std::uint32_t>(s.size() * 2));
        std::vector<unsigned char> img(header.begin(), header.end());
        img.resize(header.size() + 2 * s.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            suite::writeLe16(&img[header.size() + 2 * i], static_cast<std::uint16_t>(s[i]));
        }
        return img;
    }();
    return image;
}

// --- our encoders -------------------------------------------------------------------------

void stepEncode(benchmark::State& state, suite::StepAdpcmPacking packing) {
    std::vector<unsigned char> out(ourSamples / 2);
    suite::StepAdpcmChannelOptions options;
    options.packing = packing;
    options.byteBudget = out.size();
    for (auto _ : state) {
        benchmark::DoNotOptimize(suite::encodeStepAdpcmChannel(wavImage(), options, out));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ourSamples));
}
BENCHMARK_CAPTURE(stepEncode, conditioned_high_nibble, suite::StepAdpcmPacking::highNibbleFirst)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(stepEncode, raw_low_nibble, suite::StepAdpcmPacking::lowNibbleFirst)
    ->Unit(benchmark::kMillisecond);

void g726Encode(benchmark::State& state, suite::G726CodeWidth width) {
    std::vector<unsigned char> out(ourSamples);
    for (auto _ : state) {
        benchmark::DoNotOptimize(suite::encodeG726Channel(wavImage(), width, out.size(), out));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ourSamples));
}
BENCHMARK_CAPTURE(g726Encode, four_bit, suite::G726CodeWidth::fourBits)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(g726Encode, two_bit, suite::G726CodeWidth::twoBits)->Unit(benchmark::kMillisecond);

void imaEncode(benchmark::State& state) {
    std::vector<unsigned char> out(suite::imaAdpcmChannelSize(wavImage()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(suite::encodeImaAdpcmChannel(wavImage(), out));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ourSamples));
}
BENCHMARK(imaEncode)->Unit(benchmark::kMillisecond);

// --- our decoders -------------------------------------------------------------------------

void stepDecode(benchmark::State& state) {
    std::vector<unsigned char> bytes(ourSamples / 2);
    suite::StepAdpcmChannelOptions options;
    options.byteBudget = bytes.size();
    suite::encodeStepAdpcmChannel(wavImage(), options, bytes);
    std::vector<std::int16_t> out(ourSamples);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            suite::decodeStepAdpcmStream(bytes, suite::StepAdpcmPacking::highNibbleFirst, out));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ourSamples));
}
BENCHMARK(stepDecode)->Unit(benchmark::kMillisecond);

void g726Decode(benchmark::State& state, suite::G726CodeWidth width) {
    std::vector<unsigned char> bytes(ourSamples);
    bytes.resize(suite::encodeG726Samples(samples(), width, bytes));
    std::vector<std::int16_t> out(ourSamples + 4);
    for (auto _ : state) {
        benchmark::DoNotOptimize(suite::decodeG726Stream(bytes, width, out));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ourSamples));
}
BENCHMARK_CAPTURE(g726Decode, four_bit, suite::G726CodeWidth::fourBits)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(g726Decode, two_bit, suite::G726CodeWidth::twoBits)->Unit(benchmark::kMillisecond);

void imaDecode(benchmark::State& state) {
    std::vector<unsigned char> bytes(suite::imaAdpcmEncodedSize(ourSamples));
    suite::encodeImaAdpcmBlocks(samples(), bytes);
    std::vector<std::int16_t> out(bytes.size() / suite::imaAdpcmBlockBytes * suite::imaAdpcmSamplesPerBlock);
    for (auto _ : state) {
        benchmark::DoNotOptimize(suite::decodeImaAdpcmBlocks(bytes, out));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ourSamples));
}
BENCHMARK(imaDecode)->Unit(benchmark::kMillisecond);

// --- ffmpeg as the yardstick --------------------------------------------------------------

constexpr std::size_t ffmpegLongRepeats = 10; // 10 × 60 s
constexpr std::size_t ffmpegShortSamples = rate / 10;

struct FfmpegInputs {
    platform::Path folder;
    std::string longRaw;
    std::string shortRaw;
};

const FfmpegInputs& ffmpegInputs() {
    static const FfmpegInputs inputs = [] {
        FfmpegInputs in;
        in.folder = platform::makeScratchFolder("cwbench");
        std::string pcm(samples().size() * 2, '\0');
        for (std::size_t i = 0; i < samples().size(); ++i) {
            suite::writeLe16(reinterpret_cast<unsigned char*>(&pcm[2 * i]),
                             static_cast<std::uint16_t>(samples()[i]));
        }
        std::string longPcm;
        for (std::size_t r = 0; r < ffmpegLongRepeats; ++r) longPcm += pcm;
        in.longRaw = (in.folder / "long.raw").string();
        in.shortRaw = (in.folder / "short.raw").string();
        platform::writeWholeFile(in.longRaw, longPcm.data(), longPcm.size());
        platform::writeWholeFile(in.shortRaw, pcm.data(), ffmpegShortSamples * 2);
        return in;
    }();
    return inputs;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// CPU time of one ffmpeg run, in seconds; negative when it failed.
double timeFfmpeg(const std::string& input, const std::string& output, const std::string& codec) {
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -f s16le -ar 8000 -ac 1 -i \"" +
                                input + "\" " + codec + " \"" + output + "\" >/dev/null 2>&1";
    const double start = childCpuSeconds();
    const int status = std::system(command.c_str());
    const double stop = childCpuSeconds();
    if (status != 0) return -1.0;
    return stop - start;
}

void ffmpegEncode(benchmark::State& state, const char* codec, const char* extension) {
    const FfmpegInputs& in = ffmpegInputs();
    const std::string output = (in.folder / (std::string("out.") + extension)).string();
    for (auto _ : state) {
        const double whole = timeFfmpeg(in.longRaw, output, codec);
        const double startup = timeFfmpeg(in.shortRaw, output, codec);
        if (whole < 0 || startup < 0) {
            state.SkipWithError("ffmpeg failed or is not installed");
            return;
        }
        state.SetIterationTime(std::max(whole - startup, 1e-6));
    }
    const std::size_t encoded = ffmpegLongRepeats * ourSamples - ffmpegShortSamples;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * encoded));
}
BENCHMARK_CAPTURE(ffmpegEncode, g726le_4bit, "-c:a g726le -code_size 4 -f g726le", "g726")
    ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ffmpegEncode, g726le_2bit, "-c:a g726le -code_size 2 -f g726le", "g726")
    ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ffmpegEncode, adpcm_ima_wav, "-c:a adpcm_ima_wav -f wav", "wav")
    ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ffmpegEncode, adpcm_yamaha, "-c:a adpcm_yamaha -f wav", "wav")
    ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
