// What the four-track MFi forms (G.726 and IMA) share: 5-ms ticks, the sound's length as
// long waits, and the three companion tracks that follow the voice track.
#pragma once

#include "shared/byte_image.hpp"

#include <cstddef>
#include <cstdint>

namespace cw {

// ADPCM bytes per voice block record of the four-track and single-track forms, and blocks
// per channel.
constexpr std::size_t maxFourTrackBlockBytes = 65505;
constexpr std::size_t maxFourTrackBlocks = 32;

// The extra silence as one long wait of trunc(ms / 5 + 1) ticks; nothing without it.
void putExtraSilenceWait(suite::ByteImage& image, std::uint32_t extraMs);

// Tracks 2, 3 and 4: a rest, the sound's wait, the extra-silence wait (or a rest), the end;
// track 3 adds its set-up events after the first rest. The IMA forms put one more rest in
// track 3 before the wait.
void putFourTrackCompanions(suite::ByteImage& image, std::uint32_t soundTicks,
                            std::uint32_t extraMs, bool restBeforeWaitInTrack3);

} // namespace cw
