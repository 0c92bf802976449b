// The parts of an MFi file every writer shares: the header with its information chunks, data
// chunks with their 4-byte lengths, and the file length.
#pragma once

#include "chimewright/mfi/mfi_image.hpp"
#include "chimewright/mfi/mfi_texts.hpp"
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
void putMfiHeader(MfiImage& image, const MfiHeaderLayout& layout, const MfiTexts& texts);

// A data chunk ("adat", "trac"): id and a 4-byte length filled in by endDataChunk. Returns
// where the length goes.
std::size_t beginDataChunk(MfiImage& image, std::string_view id);
void endDataChunk(MfiImage& image, std::size_t lengthOffset);

// File length − 8 into the header.
void finishMfiFile(MfiImage& image);

} // namespace cw
