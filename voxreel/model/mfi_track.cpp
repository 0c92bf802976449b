#include "voxreel/model/mfi_file.hpp"

#include "shared/byte_order.hpp"

namespace voxreel {

namespace {

constexpr std::size_t chunkHeader = 8;

bool isExtendedStatus(unsigned char status) {
    return status == 0x3F || status == 0x7F || status == 0xEF;
}

// Size of the event at `pos`, or 0 when it does not end inside the chunk's `end`.
std::size_t eventSize(std::span<const unsigned char> chunk, std::size_t pos, std::size_t end) {
    const unsigned char status = chunk[pos + 1];
    const unsigned char kind = chunk[pos + 2];
    bool variable = false;
    std::size_t size = 4;
    if (status == 0xFF) {
        variable = kind == 0xFF;
    } else if (status == 0x7F && kind == 0x00) {
        size = 5;
    } else if (status == 0x7F && kind == 0x01) {
        size = 4;
    } else if (isExtendedStatus(status)) {
        variable = kind < 0x80 || kind >= 0xF0;
    }
    if (variable) {
        if (pos + 5 > end) return 0;
        size = 5 + suite::readBe16(&chunk[pos + 3]);
    }
    return pos + size <= end ? size : 0;
}

} // namespace

MfiTrack parseMfiTrack(std::span<const unsigned char> chunk, int number) {
    MfiTrack track;
    track.chunk.assign(chunk.begin(), chunk.end());
    track.number = number;
    if (chunk.size() < chunkHeader) return track;
    const std::uint32_t declared = suite::readBe32(&chunk[4]);
    const std::size_t end = declared <= chunk.size() - chunkHeader ? chunkHeader + declared
                                                                    : chunk.size();
    track.dataLength = static_cast<int>(end - chunkHeader);

    // Every event has at least four bytes.
    std::size_t pos = chunkHeader;
    while (pos + 4 <= end) {
        const std::size_t size = eventSize(chunk, pos, end);
        if (size == 0) {
            track.truncated = true;
            break;
        }
        track.events.push_back(decodeMfiEvent(chunk.subspan(pos, size)));
        pos += size;
    }
    return track;
}

MfiAudioData parseMfiAudioData(std::span<const unsigned char> chunk, int number) {
    MfiAudioData data;
    data.chunk.assign(chunk.begin(), chunk.end());
    data.number = number;
    auto byteAt = [&](std::size_t i) { return i < chunk.size() ? int{chunk[i]} : 0; };
    if (chunk.size() >= chunkHeader)
        data.dataLength = static_cast<int>(chunk.size() - chunkHeader);
    data.headerLength = byteAt(8) * 256 + byteAt(9);
    data.formatCode = byteAt(10);
    data.formatExtra = byteAt(11);
    data.rateKHz = byteAt(18);
    data.bitsPerCode = byteAt(19);
    data.channels = byteAt(20) & 0x07;
    data.stereoLayout = byteAt(20) >> 3;
    data.audioOffset = 21;
    data.audioLength = chunk.size() > 21 ? static_cast<int>(chunk.size() - 21) : 0;
    return data;
}

} // namespace voxreel
