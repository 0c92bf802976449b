#include "chimewright/mfi/forms/block_voice_writer.hpp"

#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/forms/mfi_timing.hpp"

#include <algorithm>

namespace cw {

namespace mfi = suite::mfi;

namespace {

unsigned char blockRateCode(int rate) {
    if (rate == 4000) return mfi::blockRate4000;
    if (rate == 8000) return mfi::blockRate8000;
    return mfi::blockRateOther;
}

// A channel holds at most 32 blocks; anything beyond is not written.
std::span<const unsigned char> usableVoice(std::span<const unsigned char> voice) {
    return voice.first(std::min(voice.size(), mfi::maxStepBlockBytes * mfi::maxBlocksPerChannel));
}

// The voice's blocks of one channel; an empty voice still gets one (empty) block so that the
// play record refers to something defined.
void putBlocks(suite::ByteImage& image, unsigned char vendor, unsigned char channel,
               unsigned char rateCode, std::span<const unsigned char> voice) {
    const std::size_t usable = voice.size();
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(usable - offset, mfi::maxStepBlockBytes);
        const bool more = offset + length < usable;
        putExtendedRecordHead(image, 0, length + mfi::blockRecordPrefix);
        image.put({vendor, mfi::recordVoiceBlock, channel, rateCode,
                   static_cast<unsigned char>(more ? 1 : 0)});
        image.put(voice.subspan(offset, length));
        offset += length;
    } while (offset < usable);
}

void putPlay(suite::ByteImage& image, unsigned char dt, unsigned char vendor, unsigned char channel,
             unsigned char rateCode) {
    putExtendedRecord(image, dt,
                      {vendor, mfi::recordVoiceBlock, channel,
                       static_cast<unsigned char>(rateCode + mfi::playFlag), 0x00});
}

// Rests for the sound (ceil(bytes × 2 / rate / 50 ms)) and the extra silence
// (trunc(ms / 50 + 1)), then the end of the track.
void putBlockTail(suite::ByteImage& image, const MfiWriterInputs& inputs, std::size_t voiceBytes,
                  int rate) {
    const auto soundTicks = static_cast<std::uint32_t>(
        ceilTicks(voiceTicks(voiceBytes, static_cast<std::uint32_t>(rate), 50)));
    putRestsOf255(image, soundTicks);
    if (inputs.extraSilenceMs > 0) putRestsOf255(image, inputs.extraSilenceMs / 50 + 1);
    if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
    putEndOfTrack(image);
}

suite::ByteImage startBlockFile(const BlockVoiceLayout& layout, const MfiWriterInputs& inputs) {
    suite::ByteImage image;
    putMfiHeader(image, {.dataType = 2, .trackCount = 1, .version = layout.version}, inputs.texts);
    return image;
}

} // namespace

std::vector<unsigned char> writeBlockVoiceFile(const BlockVoiceLayout& layout,
                                               const MfiWriterInputs& inputs,
                                               std::span<const unsigned char> voice, int rate) {
    voice = usableVoice(voice);
    const unsigned char v = layout.vendor;
    const unsigned char rateCode = blockRateCode(rate);
    suite::ByteImage image = startBlockFile(layout, inputs);
    const std::size_t track = image.openChunk(mfi::trackId);
    putMasterVolume(image, volume127(inputs.volume));
    putTempo(image, mfi::tempo50ms);
    putExtendedRecord(image, 0, {v, mfi::recordVolume, volume63(inputs.volume)});
    putExtendedRecord(image, 0, {v, layout.panRecord, mfi::panCentre});
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putBlocks(image, v, mfi::firstChannel, rateCode, voice);
    putPlay(image, 1, v, mfi::firstChannel, rateCode);
    putBlockTail(image, inputs, voice.size(), rate);
    image.closeChunk(track);
    return finishMfiFile(image);
}

std::vector<unsigned char> writeStereoBlockVoiceFile(const BlockVoiceLayout& layout,
                                                     const MfiWriterInputs& inputs,
                                                     std::span<const unsigned char> left,
                                                     std::span<const unsigned char> right,
                                                     int rate) {
    left = usableVoice(left);
    right = usableVoice(right);
    const unsigned char v = layout.vendor;
    const unsigned char rateCode = blockRateCode(rate);
    const unsigned char vv63 = volume63(inputs.volume);
    suite::ByteImage image = startBlockFile(layout, inputs);
    const std::size_t track = image.openChunk(mfi::trackId);
    putTempo(image, mfi::tempo50ms);
    putMasterVolume(image, volume127(inputs.volume));
    putExtendedRecord(image, 0, {v, mfi::recordVolume, vv63});
    putExtendedRecord(image, 0,
                      {v, mfi::recordVolume,
                       static_cast<unsigned char>(vv63 | mfi::secondChannelVolumeFlag)});
    putExtendedRecord(image, 0, {v, layout.panRecord, mfi::panLeft});
    putExtendedRecord(image, 0, {v, layout.panRecord, mfi::panRight});
    putBlocks(image, v, mfi::firstChannel, rateCode, left);
    putBlocks(image, v, mfi::secondChannel, rateCode, right);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putPlay(image, 0, v, mfi::firstChannel, rateCode);
    putPlay(image, 0, v, mfi::secondChannel, rateCode);
    putBlockTail(image, inputs, std::max(left.size(), right.size()), rate);
    image.closeChunk(track);
    return finishMfiFile(image);
}

} // namespace cw
