#include "voxreel/model/mfi_file.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>
#include <cstring>

namespace voxreel {

const std::array<const char*, infoCount> infoIds = {
    "sorc", "titl", "vers", "date", "copy", "prot", "note", "exst", "auth", "supt", "ainf", "thrd"};

namespace {

constexpr std::size_t headerSize = 13;
constexpr std::size_t infoStart = 10;

int infoIndex(const unsigned char* id) {
    for (int i = 0; i < infoCount; ++i)
        if (std::memcmp(id, infoIds[static_cast<std::size_t>(i)], 4) == 0) return i;
    return -1;
}

// The information sub-chunks from offset 13 up to the end of the information area. A
// sub-chunk that would run past the buffer ends the walk.
void readInfo(MfiFile& file, std::span<const unsigned char> buffer) {
    const std::size_t end = infoStart + static_cast<std::size_t>(file.firstTracDist);
    std::size_t cursor = headerSize;
    while (cursor < end && cursor + 6 <= buffer.size()) {
        const std::size_t length = suite::readBe16(&buffer[cursor + 4]);
        if (cursor + 6 + length > buffer.size()) break;
        const int index = infoIndex(&buffer[cursor]);
        if (index >= 0) {
            MfiInfo& info = file.info[static_cast<std::size_t>(index)];
            if (length == 0) {
                info = {};
            } else {
                const auto whole = buffer.subspan(cursor, 6 + length);
                info.chunk.assign(whole.begin(), whole.end());
                info.length = static_cast<int>(length);
            }
        }
        cursor += 6 + length;
    }
}

} // namespace

MfiFile MfiFile::parse(std::span<const unsigned char> buffer) {
    MfiFile file;
    if (buffer.size() < 8) return file;
    file.mldSize = suite::readBe32(&buffer[4]);
    file.fileSize = file.mldSize + 8;
    if (file.fileSize > static_cast<std::int64_t>(maxRingtoneBytes)) return file;
    if (buffer.size() < headerSize) return file;
    file.firstTracDist = suite::readBe16(&buffer[8]);
    file.majorType = buffer[10];
    file.minorType = buffer[11];
    file.tracCount = buffer[12];
    readInfo(file, buffer);

    // Data chunks are taken while a whole chunk fits both the declared length and the bytes
    // actually loaded.
    const std::size_t limit =
        std::min<std::size_t>(static_cast<std::size_t>(file.fileSize), buffer.size());
    std::size_t cursor = infoStart + static_cast<std::size_t>(file.firstTracDist);
    int tracks = 0, audio = 0;
    while (cursor + 8 <= limit) {
        const std::size_t length = suite::readBe32(&buffer[cursor + 4]);
        if (length > limit - cursor - 8) break;
        const auto chunk = buffer.subspan(cursor, 8 + length);
        if (std::memcmp(chunk.data(), "trac", 4) == 0)
            file.tracks.push_back(parseMfiTrack(chunk, tracks++));
        else if (std::memcmp(chunk.data(), "adat", 4) == 0)
            file.audioData.push_back(parseMfiAudioData(chunk, audio++));
        cursor += 8 + length;
    }
    return file;
}

int MfiFile::version() const {
    const auto digits = info[infoVers].data();
    if (digits.size() < 4) return 0;
    int value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value * 10 + (digits[i] - '0');
    return value;
}

} // namespace voxreel
