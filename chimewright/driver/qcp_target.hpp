// The QCP target made by chimewright itself: the 8 kHz temporary file, coded frame by frame
// by a QCELP-13K encoder, written as one QCP file.
#pragma once

#include "chimewright/qcp/qcelp_frame_encoder.hpp"
#include "platform/files.hpp"

namespace cw {

// Reads the samples of a temporary WAV file from byte 44, codes them in frames of 160 (the
// last one filled up with silence) and writes the QCP file to `output`, creating its folders.
// True when the whole file was written. A missing or empty sound, a frame the encoder cannot
// code or a failed write leaves no file at `output`.
bool encodeWavToQcp(const platform::Path& wav, const platform::Path& output,
                    QcelpFrameEncoder& encoder);

} // namespace cw
