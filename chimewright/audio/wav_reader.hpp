// Reader-converters: one PCM WAV file in, one 16-bit mono temporary WAV file out, at 8000,
// 16000 or 32000 Hz, band-limited, resampled and levelled. Each writes its own file of the
// working folder (tempfile::latest8k, latest16k, mono32k).
#pragma once

#include "platform/files.hpp"

#include <cstdint>
#include <vector>

namespace cw {

// Channel choice for files with two or more channels.
enum ChannelMode : int { channelMix = 0, channelLeft = 1, channelRight = 2 };

// level >= 0 normalises to level x 32767; a negative level applies the soft-knee gain.
// Results: 0, or 3001-3014.
int readWavToTemp8k(const platform::Path& source, double level, int narrow, int channelMode,
                    const platform::Path& workFolder);
int readWavToTemp16k(const platform::Path& source, double level, int channelMode,
                     const platform::Path& workFolder);
int readWavToTemp32k(const platform::Path& source, double level,
                     const platform::Path& workFolder);

// Writes the 44-byte temporary header and the samples, replacing any old file. Nothing is
// left behind when writing fails.
bool writeTempWav(const platform::Path& path, std::uint32_t dataBytes,
                  const std::int16_t* samples);

// Writes a whole temporary file (header and samples) the same way.
bool writeTempImage(const platform::Path& path, const std::vector<unsigned char>& bytes);

// Copies an 8000 Hz temporary file, cut to what a SMAF file of (end - start) bytes of room can
// hold: 4-bit ADPCM, or 2-bit with twoBit set. Results: 0, 8000, 8001, 8002, 8003.
int trimWavForBudget(const platform::Path& source, const platform::Path& dest, int twoBit,
                     int start, int end);

} // namespace cw
