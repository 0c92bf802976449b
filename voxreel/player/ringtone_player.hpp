// Playing one ringtone held in memory: recognise the type by the first four bytes ("melo":
// MFi, "MMMD": SMAF), parse, render on the renderer (which starts playback), and fill the
// display texts.
#pragma once

#include "voxreel/model/display_texts.hpp"
#include "voxreel/render/voice_renderer.hpp"

#include <span>

namespace voxreel {

// True for an MFi or SMAF file, even when nothing could be rendered; false for anything
// else and for a SMAF file without an audio stream (its texts stay filled).
bool playRingtoneBuffer(std::span<const unsigned char> buffer, DisplayTexts& texts,
                        VoiceRenderer& renderer);

} // namespace voxreel
