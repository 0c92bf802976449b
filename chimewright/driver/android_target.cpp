#include "chimewright/driver/android_target.hpp"

#include "chimewright/driver/ogg_encoder.hpp"
#include "chimewright/job/result_codes.hpp"
#include "chimewright/job/temp_files.hpp"
#include "shared/temp_wav.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <vector>

namespace cw {

namespace {

constexpr int codeFileError = result::androidFileError;
constexpr int codeNotEncoded = result::androidNotEncoded;

// A temporary file is read whole up to this size; anything beyond is not encoded.
constexpr std::uint64_t maxTempFileBytes = 16u * 1024u * 1024u;

// Quality 0.1 on libvorbis's scale.
constexpr int qualityStep = 1;

struct Source {
    const platform::Path* first;
    const platform::Path* second; // null for one channel
    int rate;
    int channels;
};

std::optional<Source> chooseSource(const platform::Path& mono16k, const platform::Path& mono32k,
                                   const platform::Path& left16k,
                                   const platform::Path& right16k, const TargetBlock& block) {
    if (block.rate32k4bit) return Source{&mono32k, nullptr, 32000, 1};
    if (block.rate16k) return Source{&mono16k, nullptr, 16000, 1};
    if (block.stereo16k) return Source{&left16k, &right16k, 16000, 2};
    return std::nullopt;
}

// The file's bytes, at most maxTempFileBytes; nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readTempFile(const platform::Path& path) {
    platform::File file = platform::openForRead(path);
    if (!file.isOpen()) return std::nullopt;
    const std::uint64_t expected = std::min(file.size().value_or(maxTempFileBytes), maxTempFileBytes);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(expected));
    std::size_t got = 0;
    while (got < bytes.size()) {
        auto read = file.read(bytes.data() + got, bytes.size() - got);
        if (!read) return std::nullopt;
        if (*read == 0) break;
        got += *read;
    }
    bytes.resize(got);
    return bytes;
}

int encodeAndWrite(const Source& source, const TargetBlock& block, std::string_view titleAnsi,
                   std::string_view copyrightAnsi, int intervalMs) {
    auto first = readTempFile(*source.first);
    if (!first) return codeFileError;
    std::optional<std::vector<std::uint8_t>> second;
    if (source.second) {
        second = readTempFile(*source.second);
        if (!second) return codeFileError;
    }

    // The interval becomes trailing silence of every channel: two bytes per sample.
    const std::uint64_t bytesPerMs = static_cast<std::uint64_t>(source.rate) * 2 / 1000;
    const std::uint64_t intervalBytes = static_cast<std::uint64_t>(std::max(intervalMs, 0)) * bytesPerMs;
    // The last file read sets the length; the other channel is cut or padded with silence to it.
    const std::uint64_t lastRead = (second ? second : first)->size();
    const std::uint64_t total = lastRead + intervalBytes;
    if (total > std::numeric_limits<std::size_t>::max() / 2) return codeNotEncoded;
    const std::uint64_t sampleBytes = total > suite::tempWavHeaderSize ? total - suite::tempWavHeaderSize : 0;
    const auto padded = static_cast<std::size_t>(suite::tempWavHeaderSize + sampleBytes);
    first->resize(padded);
    if (second) second->resize(padded);

    std::vector<std::uint8_t> image;
    const std::size_t length = encodeOgg(
        image, first->data() + suite::tempWavHeaderSize,
        second ? second->data() + suite::tempWavHeaderSize : nullptr,
        static_cast<std::size_t>(sampleBytes), qualityStep, source.rate, source.channels,
        titleAnsi, copyrightAnsi);
    if (length == 0) return codeNotEncoded;

    return writeOutputFile(block.outputPath, image) ? 0 : codeFileError;
}

} // namespace

int writeAndroidTarget(const platform::Path& mono16k, const platform::Path& mono32k,
                       const platform::Path& left16k, const platform::Path& right16k,
                       const TargetBlock& block, std::string_view titleAnsi,
                       std::string_view copyrightAnsi, int intervalMs) {
    if (!block.enabled) return 0;
    const auto source = chooseSource(mono16k, mono32k, left16k, right16k, block);
    if (!source) return 0;
    try {
        return encodeAndWrite(*source, block, titleAnsi, copyrightAnsi, intervalMs);
    } catch (const std::bad_alloc&) {
        return codeNotEncoded;
    }
}

} // namespace cw
