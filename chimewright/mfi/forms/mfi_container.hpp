// The parts of an MFi file every writer shares: the header with its information chunks and
// the file length. Data chunks ("adat", "trac": id and 4-byte length) are the image's chunks.
#pragma once

#include "chimewright/mfi/forms/mfi_texts.hpp"
#include "shared/byte_image.hpp"
#include "shared/mfi_format.hpp"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace cw {

struct MfiHeaderLayout {
    unsigned char dataType = 2; // first data-type byte; the second is always 1
    unsigned char trackCount = 1;
    std::string_view version;
    // "ainf" data, written with "exst" in "0400" and "0500" files only.
    std::span<const unsigned char> audioInfo = suite::mfi::defaultAudioInfo;
};

// Starts the image: "melo", room for the file length, the information length, the type bytes,
// the track count and the information chunks "sorc", "titl", "vers", "note", "exst", "copy",
// "ainf" as the version and the texts ask.
void putMfiHeader(suite::ByteImage& image, const MfiHeaderLayout& layout, const MfiTexts& texts);

// Ends the voice track that `openChunk` began at `track`: the closing sound marker, the end
// of the track and the track's length.
void closeVoiceTrack(suite::ByteImage& image, std::size_t track);

// File length − 8 into the header; returns the file's bytes, taken from the image.
std::vector<unsigned char> finishMfiFile(suite::ByteImage& image);

} // namespace cw
