// Reading a written ringtone back into samples: MFi and SMAF files through the player's own
// decoders (as a handset of the family decodes them, before any volume), Ogg Vorbis files
// through libvorbis.
#pragma once

#include "platform/files.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cw::cli {

struct DecodedSound {
    int rate = 0;
    std::vector<std::vector<std::int16_t>> channels; // one for mono, left and right for stereo
};

// An MFi or SMAF file image. The player's temporary file goes into `scratchFolder`.
// Nothing when the file holds no voice the player plays.
std::optional<DecodedSound> decodeWithPlayer(const std::string& bytes,
                                             const platform::Path& scratchFolder);

// An Ogg Vorbis file image; nothing when libvorbis cannot read it.
std::optional<DecodedSound> decodeOggVorbis(const std::string& bytes);

} // namespace cw::cli
