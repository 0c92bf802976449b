// The four-track IMA MFi form ("0301"): records headed by the family's four-byte prefix, the
// voice in P 88 blocks of at most 65505 bytes, one play record per channel, 5-ms ticks, the
// sound's length as long waits, and three companion tracks.
#pragma once

#include "chimewright/mfi/voice/ima_voice.hpp"
#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <array>
#include <cstdint>
#include <vector>

namespace cw {

using ImaRecordPrefix = std::array<unsigned char, 4>;
constexpr ImaRecordPrefix imaPrefixVendor11{0x11, 0x11, 0x00, 0x00};
constexpr ImaRecordPrefix imaPrefixF108{0xF1, 0x08, 0x00, 0x0F};

// D = trunc(bytes × 2 / rate / 0.005 + 1.999); at 16000 Hz
// trunc((bytes × 2 / 16000 + 0.05) / 0.005 + 2.999); bytes of one channel.
std::uint32_t imaFourTrackTicks(std::size_t bytesPerChannel, int rate);

// Mono (pan centre) or stereo (second volume, pans left and right, the right channel's
// blocks with channel byte 0x41 after all left ones).
std::vector<unsigned char> writeImaFourTrackFile(const ImaRecordPrefix& prefix,
                                                 const MfiWriterInputs& inputs,
                                                 const ImaVoice& voice);

} // namespace cw
