#include "platform/posix/sndfile_decode.hpp"

#include "shared/byte_order.hpp"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// libsndfile reads the image through these callbacks, so the file is read only once.
struct ImageCursor {
    const std::string& bytes;
    sf_count_t position = 0;
    sf_count_t size() const { return static_cast<sf_count_t>(bytes.size()); }
};

sf_count_t imageLength(void* user) { return static_cast<ImageCursor*>(user)->size(); }

sf_count_t imageSeek(sf_count_t offset, int whence, void* user) {
    auto* cursor = static_cast<ImageCursor*>(user);
    sf_count_t base = whence == SEEK_CUR ? cursor->position
                    : whence == SEEK_END ? cursor->size()
                                         : 0;
    if (offset < -base) return -1;
    cursor->position = base + offset;
    return cursor->position;
}

sf_count_t imageRead(void* buffer, sf_count_t count, void* user) {
    auto* cursor = static_cast<ImageCursor*>(user);
    if (count <= 0 || cursor->position >= cursor->size()) return 0;
    const sf_count_t n = std::min(count, cursor->size() - cursor->position);
    std::memcpy(buffer, cursor->bytes.data() + cursor->position, static_cast<std::size_t>(n));
    cursor->position += n;
    return n;
}

sf_count_t imageWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t imageTell(void* user) { return static_cast<ImageCursor*>(user)->position; }

// libsndfile hands out every format as doubles on the scale of +-1.0; 16-bit PCM maps back
// exactly. Float data may exceed full scale or be NaN.
std::int16_t toInt16(double value) {
    const double scaled = value * 32768.0;
    if (std::isnan(scaled)) return 0;
    if (scaled >= 32767.0) return 32767;
    if (scaled <= -32768.0) return -32768;
    const double rounded = scaled < 0 ? -std::floor(-scaled + 0.5) : std::floor(scaled + 0.5);
    return static_cast<std::int16_t>(rounded);
}

class SndfileHandle {
public:
    explicit SndfileHandle(SNDFILE* file) : file_(file) {}
    ~SndfileHandle() { if (file_) sf_close(file_); }
    SndfileHandle(const SndfileHandle&) = delete;
    SndfileHandle& operator=(const SndfileHandle&) = delete;
    SNDFILE* get() const { return file_; }

private:
    SNDFILE* file_;
};

} // namespace

int decodeWithSndfile(const std::string& image, PcmAudio& out) {
    SF_VIRTUAL_IO io{imageLength, imageSeek, imageRead, imageWrite, imageTell};
    ImageCursor cursor{image};
    SF_INFO info{};
    SndfileHandle file(sf_open_virtual(&io, SFM_READ, &info, &cursor));
    // Whatever libsndfile refuses (an unknown format tag, codec parameters it cannot use, MPEG
    // without its decoder) is a format no installed codec turns into PCM.
    if (!file.get() || info.channels <= 0 || info.samplerate <= 0) return decodeNoCodec;

    const auto sourceChannels = static_cast<std::size_t>(info.channels);
    const std::size_t channels = sourceChannels >= 2 ? 2 : 1;
    out.channels = static_cast<std::uint16_t>(channels);
    out.bitsPerSample = 16;
    out.rate = static_cast<std::uint32_t>(info.samplerate);
    out.data.clear();

    constexpr std::size_t blockFrames = 4096;
    std::vector<double> block(blockFrames * sourceChannels);
    std::vector<unsigned char> bytes(blockFrames * channels * 2);
    for (;;) {
        const sf_count_t got =
            sf_readf_double(file.get(), block.data(), static_cast<sf_count_t>(blockFrames));
        if (got <= 0) break;
        unsigned char* p = bytes.data();
        for (std::size_t frame = 0; frame < static_cast<std::size_t>(got); ++frame)
            for (std::size_t c = 0; c < channels; ++c, p += 2)
                suite::writeLe16(p, static_cast<std::uint16_t>(
                                        toInt16(block[frame * sourceChannels + c])));
        out.data.append(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<std::size_t>(p - bytes.data()));
    }
    return sf_error(file.get()) == SF_ERR_NO_ERROR ? 0 : decodeFailed;
}

bool sndfileOpens(const char* path) {
    SF_INFO info{};
    SndfileHandle file(sf_open(path, SFM_READ, &info));
    return file.get() && info.channels > 0 && info.samplerate > 0;
}

std::string sndfileVersion() {
    char version[128] = {};
    sf_command(nullptr, SFC_GET_LIB_VERSION, version, sizeof version - 1);
    return version;
}

std::vector<std::string> sndfileReadableFormats() {
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO format{};
        format.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &format, sizeof format) != 0) continue;
        // Header-less data is read only when the caller names its layout.
        if ((format.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_RAW || !format.name) continue;
        names.emplace_back(format.name);
    }
    return names;
}

} // namespace platform
