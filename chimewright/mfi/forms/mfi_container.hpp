// The parts of an MFi file every writer shares: the header with its information chunks and
// the file length. Data chunks ("adat", "trac": id and 4-byte length) are the image's chunks.
#pragma once

#include "chimewright/mfi/forms/mfi_texts.hpp"
#include "shared/byte_image.hpp"
#include "shared/mfi_format.hpp"

#include <span>
#include <string_view>

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

// File length − 8 into the header.
void finishMfiFile(suite::ByteImage& image);

} // namespace cw
