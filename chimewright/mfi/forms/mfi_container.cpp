#include "chimewright/mfi/forms/mfi_container.hpp"

#include "chimewright/mfi/forms/mfi_events.hpp"

#include <cstdint>

namespace cw {

namespace mfi = suite::mfi;

namespace {

void putInfoChunk(suite::ByteImage& image, std::string_view id,
                  std::span<const unsigned char> data) {
    image.put(id);
    image.putBe16(static_cast<std::uint16_t>(data.size()));
    image.put(data);
}

std::span<const unsigned char> bytesOf(std::string_view text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

} // namespace

void putMfiHeader(suite::ByteImage& image, const MfiHeaderLayout& layout, const MfiTexts& texts) {
    const bool extended = mfi::hasExtendedInfo(layout.version);
    image.put(mfi::fileId);
    image.putBe32(0);
    image.putBe16(0);
    image.put({layout.dataType, 0x01, layout.trackCount});

    const unsigned char source = texts.hasCopyright() ? 1 : 0;
    const unsigned char noteData[] = {0x00, 0x01};
    putInfoChunk(image, mfi::sourceId, {&source, 1});
    if (!texts.title.empty()) putInfoChunk(image, mfi::titleId, bytesOf(texts.title));
    putInfoChunk(image, mfi::versionId, bytesOf(layout.version));
    putInfoChunk(image, mfi::noteId, noteData);
    if (extended) putInfoChunk(image, mfi::extendedStatusId, noteData);
    if (texts.hasCopyright()) putInfoChunk(image, mfi::copyrightId, bytesOf(texts.copyright));
    if (extended) putInfoChunk(image, mfi::audioInfoId, layout.audioInfo);

    image.patchBe16(mfi::infoLengthOffset,
                    static_cast<std::uint16_t>(image.size() - mfi::infoCountedFrom));
}

void closeVoiceTrack(suite::ByteImage& image, std::size_t track) {
    putSoundMarker(image, mfi::markerEnd);
    putEndOfTrack(image);
    image.closeChunk(track);
}

std::vector<unsigned char> finishMfiFile(suite::ByteImage& image) {
    image.patchBe32(mfi::fileLengthOffset, static_cast<std::uint32_t>(image.size() - 8));
    return image.take();
}

} // namespace cw
