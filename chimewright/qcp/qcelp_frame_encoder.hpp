// The seam between the QCP target and a QCELP-13K encoder: 20-ms frames of 160 samples at
// 8000 Hz go in one at a time, in order, and one packet comes out for each. An encoder keeps
// its own state (filter memories, the previous frame's line spectral pairs) between frames.
#pragma once

#include "chimewright/qcp/qcelp_packet.hpp"

#include <cstdint>
#include <memory>
#include <span>

namespace cw {

class QcelpFrameEncoder {
public:
    virtual ~QcelpFrameEncoder() = default;

    // Codes the next frame into `packet`. False when the frame cannot be coded; the file
    // being made is then given up.
    virtual bool encode(std::span<const std::int16_t, qcelpFrameSamples> frame,
                        QcelpPacket& packet) = 0;
};

// The encoder chimewright makes its own QCP files with; null while it has none. A QCELP-13K
// coder needs the codec's quantiser tables (line-spectral-pair codebooks, the fixed codebook,
// the gain steps and the bit order of the packet); chimewright does not carry them yet, and
// a coder guessing them would write packets that no decoder plays as speech.
std::unique_ptr<QcelpFrameEncoder> makeQcelpEncoder();

} // namespace cw
