// WAVE files with a compressed format, and sound files of other formats, decoded to PCM
// before the conversion.
#pragma once

#include "platform/files.hpp"

namespace cw {

// Copies the input to tempfile::compressedCopy and decodes that copy into the PCM file
// tempfile::decodedPcm in the working folder, with the system's codecs. 0, 2001 when the copy cannot be made, or a
// code 2002-2016 of the decoder.
int decodeToPcm(const platform::Path& input, const platform::Path& workFolder);

// The same for a file that is not RIFF WAVE at all (FLAC, Ogg, MP3 ... where the platform
// reads them): 0, 1007 when no decoder reads it, 2001, or a code 2002-2016.
int decodeSoundFileToPcm(const platform::Path& input, const platform::Path& workFolder);

// After the input check's `checkCode`: the file the readers take in `source` (the input
// itself, or tempfile::decodedPcm decoded from a compressed WAVE file (1013) or from a file that is
// not RIFF WAVE (1007)), and the conversion's code so far (0 to go on).
int sourceForReaders(int checkCode, const platform::Path& input,
                     const platform::Path& workFolder, platform::Path& source);

} // namespace cw
