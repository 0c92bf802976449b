#include "chimewright/mfi/forms/inline_voice_writer.hpp"

#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/forms/mfi_timing.hpp"

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr std::uint32_t maxStepInlineTicks = 6000;

} // namespace

std::uint32_t stepInlineTicks(std::size_t voiceBytes, int rate, std::uint32_t extraMs) {
    // trunc(bytes × 200 / rate + extra / 10 + 1), as one exact fraction.
    const std::uint64_t r = static_cast<std::uint64_t>(rate);
    const TickFraction sound = voiceTicks(voiceBytes, static_cast<std::uint32_t>(rate), 10);
    const std::uint64_t ticks = (sound.numerator + std::uint64_t{extraMs} * r) / (10 * r) + 1;
    return ticks > maxStepInlineTicks ? maxStepInlineTicks : static_cast<std::uint32_t>(ticks);
}

std::vector<unsigned char> writeInlineVoiceFile(const InlineVoiceLayout& layout,
                                                const MfiWriterInputs& inputs,
                                                std::span<const unsigned char> voice, int rate,
                                                std::uint32_t ticks) {
    const std::size_t recordLength = voice.size() + mfi::inlineRecordPrefix;
    if (recordLength > 0xFFFF) return {};
    const bool extraTrack = inputs.extraSilenceMs > 0;

    suite::ByteImage image;
    putMfiHeader(image,
                 {.dataType = 2, .trackCount = static_cast<unsigned char>(extraTrack ? 2 : 1),
                  .version = layout.version},
                 inputs.texts);

    const std::size_t track = image.openChunk(mfi::trackId);
    putSoundMarker(image, mfi::markerStart);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putTempo(image, layout.tempo);
    if (layout.masterVolumeAfterTempo) putMasterVolume(image, volume127(inputs.volume));
    putExtendedRecord(image, 0, {layout.vendor, mfi::recordVolume, volume63(inputs.volume)});
    putExtendedRecordHead(image, 0, recordLength);
    const unsigned char rateByte = rate == 4000 ? mfi::inlineRate4000 : mfi::inlineRateOther;
    image.put({layout.vendor, mfi::recordInlineVoice, 0x00, rateByte, 0x00});
    if (image.size() >= inlineHeaderLimit) return {};

    image.put(voice);
    putRestsOf254(image, ticks);
    if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
    closeVoiceTrack(image, track);

    if (extraTrack) {
        const std::size_t second = image.openChunk(mfi::trackId);
        putRestsOf254(image, ticks);
        putEndOfTrack(image);
        image.closeChunk(second);
    }
    return finishMfiFile(image);
}

} // namespace cw
