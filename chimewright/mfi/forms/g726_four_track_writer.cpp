#include "chimewright/mfi/forms/g726_four_track_writer.hpp"

#include "chimewright/mfi/forms/four_track_layout.hpp"
#include "chimewright/mfi/forms/g726_layout.hpp"
#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/voice/voice_blocks.hpp"

#include <algorithm>

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr std::size_t fourTrackRecordPrefix = 9; // V 84 ch c m t t t t

void putTotal(suite::ByteImage& image, std::uint32_t total) {
    image.putBe32(total);
}

void putChannelBlocks(suite::ByteImage& image, unsigned char vendor, unsigned char channel,
                      unsigned char rateCode, std::span<const unsigned char> voice) {
    const auto blocks = splitVoiceBlocks(voice, maxFourTrackBlockBytes, maxFourTrackBlocks);
    std::uint32_t total = 0;
    for (const auto& block : blocks) total += static_cast<std::uint32_t>(block.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const bool more = i + 1 < blocks.size();
        putExtendedRecordHead(image, 0, blocks[i].size() + fourTrackRecordPrefix);
        image.put({vendor, mfi::recordFourTrackBlock, channel, rateCode,
                   static_cast<unsigned char>(more ? 1 : 0)});
        putTotal(image, i == 0 ? total : 0);
        image.put(blocks[i]);
    }
}

void putReplay(suite::ByteImage& image, unsigned char vendor, unsigned char channel,
               unsigned char rateCode, std::size_t total) {
    putExtendedRecordHead(image, 0, fourTrackRecordPrefix);
    image.put({vendor, mfi::recordFourTrackBlock, channel,
               static_cast<unsigned char>(rateCode + replayFlag), 0x00});
    putTotal(image, static_cast<std::uint32_t>(total));
}

} // namespace

std::vector<unsigned char> writeG726FourTrackFile(const G726FourTrackLayout& layout,
                                                  const MfiWriterInputs& inputs,
                                                  const G726Voice& voice) {
    const VoiceStreams& s = voice.streams;
    const unsigned char v = layout.vendor;
    const unsigned char rateCode = g726RateCode(voice.rate, voice.twoBit);
    const unsigned char vv63 = volume63(inputs.volume);
    // The blocks hold at most 32 × 65505 bytes per channel; the length follows what is held.
    const std::size_t held = std::min(s.left.size(), maxFourTrackBlockBytes * maxFourTrackBlocks);
    const std::uint32_t ticks = g726VoiceTicks(held, voice.rate, voice.twoBit);

    suite::ByteImage image;
    putMfiHeader(image, {.dataType = 2, .trackCount = 4, .version = layout.version}, inputs.texts);

    const std::size_t track = image.openChunk(mfi::trackId);
    const auto table = g726ChannelTable(voice.rate);
    putExtendedRecordHead(image, 0, 2 + table.size());
    image.put({v, mfi::recordChannelTable});
    image.put(table);
    putSoundMarker(image, mfi::markerStart);
    putTempo(image, mfi::tempo5ms);
    putMasterVolume(image, volume127(inputs.volume));
    putExtendedRecord(image, 0, {v, mfi::recordVolume, vv63});
    if (s.stereo) {
        putExtendedRecord(image, 0,
                          {v, mfi::recordVolume,
                           static_cast<unsigned char>(vv63 | mfi::secondChannelVolumeFlag)});
        putExtendedRecord(image, 0, {v, mfi::recordPanAlt, mfi::panLeft});
        putExtendedRecord(image, 0, {v, mfi::recordPanAlt, mfi::panRight});
    }
    putMetaEvent(image, 0, mfi::rest, 0);
    putChannelBlocks(image, v, mfi::firstChannel, rateCode, s.left);
    if (s.stereo) putChannelBlocks(image, v, mfi::secondChannel, rateCode, s.right);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putWait(image, ticks);
    putExtraSilenceWait(image, inputs.extraSilenceMs);
    if (inputs.loop) {
        putReplay(image, v, mfi::firstChannel, rateCode, held);
        if (s.stereo) putReplay(image, v, mfi::secondChannel, rateCode, held);
        putLoopMarker(image, mfi::markerEnd);
    }
    closeVoiceTrack(image, track);

    putFourTrackCompanions(image, ticks, inputs.extraSilenceMs, false);
    return finishMfiFile(image);
}

} // namespace cw
