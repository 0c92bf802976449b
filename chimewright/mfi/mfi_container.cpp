#include "chimewright/mfi/mfi_container.hpp"

#include <cstdint>

namespace cw {

namespace mfi = suite::mfi;

namespace {

void putInfoChunk(MfiImage& image, std::string_view id, std::span<const unsigned char> data) {
    image.put(id);
    image.put16(static_cast<std::uint16_t>(data.size()));
    image.put(data);
}

std::span<const unsigned char> bytesOf(std::string_view text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

} // namespace

void putMfiHeader(MfiImage& image, const MfiHeaderLayout& layout, const MfiTexts& texts) {
    const bool extended = mfi::hasExtendedInfo(layout.version);
    image.put(mfi::fileId);
    image.put32(0);
    image.put16(0);
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

    image.patch16(mfi::infoLengthOffset,
                  static_cast<std::uint16_t>(image.size() - mfi::infoCountedFrom));
}

std::size_t beginDataChunk(MfiImage& image, std::string_view id) {
    image.put(id);
    const std::size_t lengthOffset = image.size();
    image.put32(0);
    return lengthOffset;
}

void endDataChunk(MfiImage& image, std::size_t lengthOffset) {
    image.patch32(lengthOffset, static_cast<std::uint32_t>(image.size() - lengthOffset - 4));
}

void finishMfiFile(MfiImage& image) {
    image.patch32(mfi::fileLengthOffset, static_cast<std::uint32_t>(image.size() - 8));
}

} // namespace cw
