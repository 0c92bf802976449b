#include "chimewright/mfi/forms/four_track_layout.hpp"

#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/forms/mfi_timing.hpp"

namespace cw {

namespace mfi = suite::mfi;

namespace {

void putRest(suite::ByteImage& image) {
    putMetaEvent(image, 0, mfi::rest, 0);
}

void putWaitTail(suite::ByteImage& image, std::uint32_t soundTicks, std::uint32_t extraMs) {
    putWait(image, soundTicks);
    if (extraMs > 0) putExtraSilenceWait(image, extraMs);
    else putRest(image);
    putEndOfTrack(image);
}

void putPlainTrack(suite::ByteImage& image, std::uint32_t soundTicks, std::uint32_t extraMs) {
    const std::size_t track = image.openChunk(mfi::trackId);
    putRest(image);
    putWaitTail(image, soundTicks, extraMs);
    image.closeChunk(track);
}

void putSetupTrack(suite::ByteImage& image, std::uint32_t soundTicks, std::uint32_t extraMs,
                   bool restBeforeWait) {
    const std::size_t track = image.openChunk(mfi::trackId);
    putRest(image);
    putMetaEvent(image, 0, 0xE1, 0x42);
    putMetaEvent(image, 0, 0xE0, 0x40);
    putMetaEvent(image, 0, 0xE2, 0x74);
    putMetaEvent(image, 0, 0xE3, 0x60);
    putMetaEvent(image, 0, 0xE2, 0x74);
    if (restBeforeWait) putRest(image);
    putWaitTail(image, soundTicks, extraMs);
    image.closeChunk(track);
}

} // namespace

void putExtraSilenceWait(suite::ByteImage& image, std::uint32_t extraMs) {
    if (extraMs > 0) putWait(image, extraSilenceTicks5ms(extraMs));
}

void putFourTrackCompanions(suite::ByteImage& image, std::uint32_t soundTicks,
                            std::uint32_t extraMs, bool restBeforeWaitInTrack3) {
    putPlainTrack(image, soundTicks, extraMs);
    putSetupTrack(image, soundTicks, extraMs, restBeforeWaitInTrack3);
    putPlainTrack(image, soundTicks, extraMs);
}

} // namespace cw
