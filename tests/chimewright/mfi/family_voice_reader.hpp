// Takes the voice out of the files of the low-nibble, G.726 and IMA families, checking the
// order of the blocks and their continuation bytes on the way.
#pragma once

#include "tests/chimewright/mfi/mfi_test_reader.hpp"

#include <optional>
#include <string>

namespace mfi_test {

struct FamilyVoice {
    Bytes first;  // the mono stream, or the left channel
    Bytes second; // the right channel
    bool stereo = false;
    int rateField = 0; // the records' rate byte or 16-bit rate, or the "adat" kHz byte
    int bits = 0;      // the "adat" bits byte; 0 for the record forms
    std::size_t blocks = 0; // voice records of the first channel
};

// Single-rest records (21 01 03 01 r, 11 F0 02 01 r), vendor 0x11 "0300" records
// (11 01 F0 07 k 01 RR RR; stereo when the file pans a second channel) and vendor 0x31
// records (31 10 07 ch 01 RR RR).
std::optional<FamilyVoice> readLowNibbleVoice(const MfiFile& file, std::string& error);

// V 83 records of vendor 0x61 (inline and single-track), V 84 four-track blocks, or an
// "adat" chunk with codec 0x81.
std::optional<FamilyVoice> readG726Voice(const MfiFile& file, std::string& error);

// P 88 blocks (either prefix), or an "adat" chunk with codec 0x83.
std::optional<FamilyVoice> readImaVoice(const MfiFile& file, std::string& error);

// The extended records of a track: the bytes after dt FF FF nn nn.
std::vector<Bytes> records(const std::vector<Event>& track);

// The sum of a track's delta times, long waits counted whole.
std::uint32_t trackTicks(const std::vector<Event>& track);

} // namespace mfi_test
