#include "chimewright/mfi/forms/adat_writer.hpp"

#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/forms/mfi_timing.hpp"

namespace cw {

namespace mfi = suite::mfi;

namespace {

void putAdatChunk(suite::ByteImage& image, unsigned char codec, const AdatVoice& voice) {
    const std::size_t chunk = image.openChunk(mfi::audioDataId);
    image.putBe16(mfi::adatSubHeaderLength);
    image.put({codec, 0x00});
    image.put(mfi::adatFormatId);
    image.putBe16(mfi::adatFormatFieldCount);
    image.put({voice.rateKHz, voice.bitsPerCode, voice.channelLayout});
    image.put(voice.data);
    image.closeChunk(chunk);
}

void putAdatEvent(suite::ByteImage& image, std::span<const unsigned char> event) {
    image.put(0x00);
    image.put(event);
}

} // namespace

std::vector<unsigned char> writeAdatFile(const AdatLayout& layout, const MfiWriterInputs& inputs,
                                         const AdatVoice& voice) {
    suite::ByteImage image;
    putMfiHeader(image,
                 {.dataType = 1, .trackCount = 1, .version = layout.version,
                  .audioInfo = layout.audioInfo},
                 inputs.texts);
    putAdatChunk(image, layout.codec, voice);

    const std::size_t track = image.openChunk(mfi::trackId);
    if (inputs.loop && layout.loopBeforeStart) putLoopMarker(image, mfi::markerStart);
    putSoundMarker(image, mfi::markerStart);
    if (inputs.loop && !layout.loopBeforeStart) putLoopMarker(image, mfi::markerStart);
    putTempo(image, mfi::tempo5ms);
    putMasterVolume(image, volume127(inputs.volume));
    putAdatEvent(image, mfi::adatSetupVolume);
    putAdatEvent(image, mfi::adatSetupPan);
    putAdatEvent(image, mfi::adatPlay);
    putWait(image, voice.ticks);
    if (inputs.extraSilenceMs > 0) putWait(image, extraSilenceTicks5ms(inputs.extraSilenceMs));
    if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
    closeVoiceTrack(image, track);
    return finishMfiFile(image);
}

} // namespace cw
