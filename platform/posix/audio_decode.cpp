// Compressed WAVE input and sound files of other formats on POSIX systems, decoded by
// libsndfile.
#include "platform/audio_decode.hpp"

#include "platform/posix/sndfile_decode.hpp"
#include "shared/byte_order.hpp"

#include <cstring>
#include <new>

namespace platform {

namespace {

bool isRiffWave(const std::string& image) {
    return image.size() >= 12 && image.compare(0, 4, "RIFF") == 0 &&
           image.compare(8, 4, "WAVE") == 0;
}

// A WAVE file's audio is its "data" chunk; chunks are walked with their pad bytes.
bool hasDataChunk(const std::string& image) {
    const std::uint64_t end = image.size();
    std::uint64_t position = 12;
    while (position + 8 <= end) {
        const auto* header = reinterpret_cast<const unsigned char*>(image.data() + position);
        if (std::memcmp(header, "data", 4) == 0) return true;
        const std::uint64_t size = suite::readLe32(header + 4);
        position += 8 + size + (size & 1);
    }
    return false;
}

int readSource(const Path& source, std::string& image) {
    File file = openForRead(source);
    if (!file.isOpen()) return decodeOpenError;
    const auto size = file.size();
    if (!size) return decodeReadError;
    image.resize(static_cast<std::size_t>(*size));
    const auto got = file.read(image.data(), image.size());
    return got && *got == image.size() ? 0 : decodeReadError;
}

} // namespace

int decodeWave(const Path& source, PcmAudio& out) {
    try {
        std::string image;
        if (int code = readSource(source, image)) return code;
        if (!isRiffWave(image)) return decodeBadFormat;
        if (!hasDataChunk(image)) return decodeNoAudioStream;
        return decodeWithSndfile(image, out);
    } catch (const std::bad_alloc&) {
        return decodeOutOfMemory;
    }
}

int decodeSoundFile(const Path& source, PcmAudio& out) {
    try {
        std::string image;
        if (int code = readSource(source, image)) return code;
        const int code = decodeWithSndfile(image, out);
        return code == decodeNoCodec ? decodeNotASoundFile : code;
    } catch (const std::bad_alloc&) {
        return decodeOutOfMemory;
    }
}

bool isReadableSoundFile(const Path& source) { return sndfileOpens(source.c_str()); }

std::string soundFileDecoder() { return sndfileVersion(); }

std::vector<std::string> soundFileFormats() { return sndfileReadableFormats(); }

} // namespace platform
