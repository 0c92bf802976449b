// The SMAF target's "16kHz" route: the 16 kHz temporary file as a stream wave in a SMAF file
// made by the stream-SMAF builder, without tarnwick.
#pragma once

#include "chimewright/driver/target_writers.hpp"

#include <cstddef>
#include <string_view>
#include <vector>

namespace cw {

// Size limits of the route's SMAF file: "Unlimited" selects the large one.
constexpr int smafLargeLimit = 800000;
constexpr int smafSmallLimit = 6000;
// Texts longer than this are cut (at a character boundary) before they go into the file.
constexpr std::size_t smafStreamTextLimit = 252;

// An "Awa" chunk ("Awa", 0x01, 32-bit size, data) holding the step-ADPCM codes of the 16 kHz
// mono file (low nibble first, from a fresh encoder), at most `limit` bytes in all.
// Reads at most 4 MiB of the file; empty when it cannot be read.
std::vector<unsigned char> buildWaveDataChunk(const platform::Path& mono16k, int limit);

// Builds the SMAF file and writes it in one piece. 0, or 1025 when the builder produced
// nothing or the file cannot be created or written (a partly written file is removed).
// An empty copyright is absent.
int writeSmafFile(const std::vector<unsigned char>& chunk, std::string_view titleAnsi,
                  std::string_view copyrightAnsi, int limit, const platform::Path& outputPath);

// The whole route: 0, 1025, or 1050 when the 16 kHz file gave no samples.
int writeSmafStreamRoute(const WriterContext& context);

} // namespace cw
