#include "chimewright/audio/wav_reader.hpp"

#include "chimewright/audio/signal_chain.hpp"
#include "chimewright/audio/wav_image.hpp"
#include "chimewright/driver/temp_files.hpp"
#include "shared/band_filter.hpp"
#include "shared/byte_order.hpp"
#include "shared/temp_wav.hpp"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace cw {

namespace {

struct RenderTarget {
    unsigned rate;
    suite::BandEdges edges;
    int channelMode;
    const char* outputName;
};

bool loadImage(const platform::Path& path, std::vector<unsigned char>& image, int& code) {
    platform::File file = platform::openForRead(path, platform::shareRead);
    if (!file.isOpen()) return code = 3001, false;
    auto size = file.size();
    if (!size) return code = 3002, false;
    try {
        image.assign(static_cast<std::size_t>(*size), 0);
    } catch (const std::bad_alloc&) {
        return code = 3003, false;
    } catch (const std::length_error&) {
        return code = 3003, false;
    }
    auto got = file.read(image.data(), image.size());
    if (!got || *got != image.size()) return code = 3005, false;
    return true;
}

// Widths the decoder knows; others have no defined conversion and are refused as unsupported.
bool decodableFormat(const WavFormat& f) {
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 32) return false;
    if (f.channels == 0 || f.rate == 0) return false;
    // A frame must hold the samples the channel choice reads.
    unsigned used = (f.channels >= 2 ? 2u : 1u) * (f.bitsPerSample / 8u);
    return f.blockAlign >= used;
}

double decodeSample(const unsigned char* p, unsigned bits) {
    switch (bits) {
    case 8: return static_cast<double>(p[0]) - 128.0;
    case 16: return static_cast<double>(static_cast<std::int16_t>(suite::readLe16(p)));
    default: return static_cast<double>(static_cast<std::int32_t>(suite::readLe32(p)));
    }
}

double decodeFrame(const unsigned char* frame, const WavFormat& f, int channelMode) {
    const unsigned width = f.bitsPerSample / 8u;
    double first = decodeSample(frame, f.bitsPerSample);
    if (f.channels < 2) return first;
    double second = decodeSample(frame + width, f.bitsPerSample);
    switch (channelMode) {
    case channelLeft: return first;
    case channelRight: return second;
    default: return (first + second) / 2;
    }
}

std::size_t powerOfTwoAtLeast(std::size_t count) {
    std::size_t n = 1;
    while (n < count) n <<= 1;
    return n;
}

std::int16_t roundToSample(double v) {
    double r = std::round(v); // half away from zero
    if (r > 32767.0) r = 32767.0;
    if (r < -32768.0) r = -32768.0;
    return static_cast<std::int16_t>(r);
}

int renderTempWav(const platform::Path& source, double level, const RenderTarget& target,
                  const platform::Path& workFolder) {
    std::vector<unsigned char> image;
    int code = 0;
    if (!loadImage(source, image, code)) return code;

    const std::size_t imageSize = image.size();
    if (imageSize < 4 || std::memcmp(image.data(), "RIFF", 4) != 0) return 3006;
    if (imageSize < 16 || std::memcmp(image.data() + 8, "WAVEfmt ", 8) != 0) return 3007;
    if (imageSize < 36) return 3009;
    const WavFormat format = readWavFormat(image.data());
    if (format.formatTag != 1 || !decodableFormat(format)) return 3008;

    const std::uint32_t fmtSize = suite::readLe32(image.data() + 16);
    auto data = findDataChunk(image.data(), std::size_t{20} + fmtSize, imageSize);
    if (!data || data->size > imageSize - data->offset) return 3009;

    const std::size_t frames = data->size / format.blockAlign;
    const bool doubled = format.rate < target.rate;
    const std::size_t workingCount = doubled ? 2 * frames : frames;
    const unsigned workingRate = doubled ? 2 * format.rate : format.rate;
    const std::size_t n = powerOfTwoAtLeast(workingCount);

    std::vector<suite::Complex> work;
    std::vector<std::int16_t> output;
    try {
        work.assign(n, suite::Complex(0.0, 0.0));
    } catch (const std::bad_alloc&) {
        return 3010;
    }
    // The first n doubles carry the signal, the next n the resampled copy.
    double* firstHalf = reinterpret_cast<double*>(work.data());
    double* secondHalf = firstHalf + n;
    const unsigned char* samples = image.data() + data->offset;

    std::size_t count = 0;
    const bool fastPath = format.channels == 1 && format.rate == target.rate &&
                          format.byteRate == 2 * target.rate && format.blockAlign == 2 &&
                          format.bitsPerSample == 16;
    if (fastPath) {
        for (std::size_t i = 0; i < frames; ++i)
            secondHalf[i] = static_cast<std::int16_t>(suite::readLe16(samples + 2 * i));
        std::memset(firstHalf, 0, n * sizeof(double));
        count = frames > 0 ? frames - 1 : 0;
    } else {
        for (std::size_t i = 0; i < frames; ++i) {
            double v = decodeFrame(samples + i * format.blockAlign, format, target.channelMode);
            if (doubled) {
                work[2 * i] = v;
                // The last in-between position stays 0.
                if (i > 0) work[2 * i - 1] = (work[2 * i - 2].real() + v) / 2;
            } else {
                work[i] = v;
            }
        }
        image.clear();
        image.shrink_to_fit();
        suite::bandLimit(work.data(), n, workingRate, target.edges);
        count = resampleSpline(workingRate, target.rate, workingCount, firstHalf, secondHalf);
    }
    applyLevel(count, firstHalf, level, secondHalf);

    try {
        output.assign(count + 1, 0);
    } catch (const std::bad_alloc&) {
        return 3012;
    }
    // Two leading zero samples, then the processed samples; the file holds count + 1 samples.
    for (std::size_t i = 2; i <= count; ++i) output[i] = roundToSample(firstHalf[i - 2]);
    work.clear();
    work.shrink_to_fit();

    const std::uint64_t dataBytes = 2 * std::uint64_t{count} + 2;
    if (dataBytes > 0xFFFFFFFFu - 36) return 3014;
    if (!writeTempWav(tempPath(workFolder, target.outputName),
                      static_cast<std::uint32_t>(dataBytes), output.data()))
        return 3014;
    return 0;
}

} // namespace

int readWavToTemp8k(const platform::Path& source, double level, int narrow, int channelMode,
                    const platform::Path& workFolder) {
    RenderTarget target{8000, {20.0, narrow ? 2000.0 : 4000.0}, channelMode, temp8kName};
    return renderTempWav(source, level, target, workFolder);
}

int readWavToTemp16k(const platform::Path& source, double level, int channelMode,
                     const platform::Path& workFolder) {
    RenderTarget target{16000, {40.0, 8000.0}, channelMode, temp16kName};
    return renderTempWav(source, level, target, workFolder);
}

int readWavToTemp32k(const platform::Path& source, double level,
                     const platform::Path& workFolder) {
    RenderTarget target{32000, {80.0, 16000.0}, channelMix, temp32kName};
    return renderTempWav(source, level, target, workFolder);
}

bool writeTempWav(const platform::Path& path, std::uint32_t dataBytes,
                  const std::int16_t* samples) {
    std::vector<unsigned char> bytes(suite::tempWavHeaderSize + dataBytes);
    auto header = suite::tempWavHeader(dataBytes);
    std::memcpy(bytes.data(), header.data(), header.size());
    for (std::uint32_t i = 0; i < dataBytes / 2; ++i)
        suite::writeLe16(&bytes[suite::tempWavHeaderSize + 2 * i],
                         static_cast<std::uint16_t>(samples[i]));
    platform::File file =
        platform::createForWrite(path, platform::shareRead | platform::shareWrite);
    if (!file.isOpen()) return false;
    if (!file.write(bytes.data(), bytes.size())) {
        file.close();
        platform::deleteFile(path);
        return false;
    }
    return true;
}

} // namespace cw
