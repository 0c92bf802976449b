// Decoding of compressed WAVE files (ADPCM, G.711, GSM, MPEG, float, wide samples) into PCM
// with the codecs the system provides, and on POSIX systems of sound files in other formats
// (FLAC, Ogg, MP3, AIFF ...). Two implementations: posix/ and win32/.
#pragma once

#include "platform/files.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Result codes of decodeWave, shared by both implementations.
enum DecodeResult : int {
    decodeOk = 0,
    decodeBadFormat = 2002,     // the file handler does not accept the file
    decodeOutOfMemory = 2003,   // while opening
    decodeReadError = 2004,     // the file cannot be read
    decodeOpenError = 2005,     // the file cannot be opened
    decodeNoHandler = 2006,     // no file handler is installed for WAVE files
    decodeOpenFailed = 2007,    // any other failure while opening
    decodeNoFileInfo = 2008,    // the file's information is unavailable
    decodeNoAudioStream = 2009, // the file holds no audio
    decodeNoFormat = 2010,      // the audio stream has an empty format
    decodeFailed = 2013,        // the codec failed on the data
    decodeFormatMemory = 2014,  // memory for the source format
    decodeTargetMemory = 2015,  // memory for the target format
    decodeNoCodec = 2016,       // no installed codec turns this format into PCM
    decodeNotASoundFile = 1007, // decodeSoundFile: no decoder reads the file (the input
                                // check's code for a file that is not RIFF WAVE)
};

// Decoded audio as a PCM WAVE file's data chunk holds it.
struct PcmAudio {
    std::uint16_t channels = 0;
    std::uint16_t bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    std::uint32_t rate = 0;
    std::string data; // whole frames, little-endian, channel-interleaved
};

// Decodes the audio of a WAVE file at its own sample rate into the first of these layouts
// that the system's codecs can produce: 16-bit stereo, 16-bit mono, 8-bit stereo, 8-bit mono.
// 0, or one of the codes above.
int decodeWave(const Path& source, PcmAudio& out);

// Decodes a sound file that is no WAVE file, in the same layouts as decodeWave: on POSIX
// systems every format libsndfile reads; Windows reads WAVE files only. 0,
// decodeNotASoundFile when no decoder reads the file, or a code above.
int decodeSoundFile(const Path& source, PcmAudio& out);

// Whether decodeSoundFile would take the file for one of its formats, found from the file's
// first bytes without reading it whole.
bool isReadableSoundFile(const Path& source);

// The decoder of decodeSoundFile ("libsndfile-1.2.0") and the names of the formats it reads;
// both empty where there is none.
std::string soundFileDecoder();
std::vector<std::string> soundFileFormats();

} // namespace platform
