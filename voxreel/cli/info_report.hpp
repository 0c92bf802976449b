// The --info report: the structure of a ringtone file as the player reads it, for people
// who inspect ringtone files.
#pragma once

#include "voxreel/render/voice_renderer.hpp"

#include <cstdio>
#include <span>

namespace voxreel::cli {

// The file's chunks, texts and (MFi) tracks with their decoded events.
void printFileStructure(std::FILE* out, std::span<const unsigned char> buffer);

// The voice blocks of the last render job and what was mixed from them.
void printRenderedBlocks(std::FILE* out, const voxreel::VoiceRenderer& renderer);

} // namespace voxreel::cli
