#include "chimewright/mfi/forms/g726_single_track_writer.hpp"

#include "chimewright/mfi/forms/four_track_layout.hpp"
#include "chimewright/mfi/forms/g726_layout.hpp"
#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/voice/voice_blocks.hpp"

#include <algorithm>

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr unsigned char vendor = mfi::vendor61;
constexpr std::size_t blockRecordPrefix = 5; // 61 83 ch c m

void putChannelBlocks(suite::ByteImage& image, unsigned char channel, unsigned char rateCode,
                      std::span<const unsigned char> voice) {
    const auto blocks = splitVoiceBlocks(voice, maxFourTrackBlockBytes, maxFourTrackBlocks);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const bool more = i + 1 < blocks.size();
        putExtendedRecordHead(image, 0, blocks[i].size() + blockRecordPrefix);
        image.put({vendor, mfi::recordInlineVoice, channel, rateCode,
                   static_cast<unsigned char>(more ? 1 : 0)});
        image.put(blocks[i]);
    }
}

void putReplay(suite::ByteImage& image, unsigned char channel, unsigned char rateCode) {
    putExtendedRecord(image, 0,
                      {vendor, mfi::recordInlineVoice, channel,
                       static_cast<unsigned char>(rateCode + replayFlag), 0x00});
}

} // namespace

std::vector<unsigned char> writeG726SingleTrackFile(const MfiWriterInputs& inputs,
                                                    const G726Voice& voice) {
    const VoiceStreams& s = voice.streams;
    const unsigned char rateCode = g726RateCode(voice.rate, voice.twoBit);
    const unsigned char vv63 = volume63(inputs.volume);
    const std::size_t held = std::min(s.left.size(), maxFourTrackBlockBytes * maxFourTrackBlocks);

    suite::ByteImage image;
    putMfiHeader(image, {.dataType = 2, .trackCount = 1, .version = mfi::version0300},
                 inputs.texts);
    const std::size_t track = image.openChunk(mfi::trackId);
    const auto table = g726ChannelTable(voice.rate);
    putExtendedRecordHead(image, 0, 2 + table.size());
    image.put({vendor, mfi::recordChannelTable});
    image.put(table);
    putSoundMarker(image, mfi::markerStart);
    putTempo(image, mfi::tempo5ms);
    putMasterVolume(image, volume127(inputs.volume));
    putExtendedRecord(image, 0, {vendor, mfi::recordVolume, vv63});
    if (s.stereo) {
        putExtendedRecord(image, 0,
                          {vendor, mfi::recordVolume,
                           static_cast<unsigned char>(vv63 | mfi::secondChannelVolumeFlag)});
        putExtendedRecord(image, 0, {vendor, mfi::recordPan, mfi::panLeft});
        putExtendedRecord(image, 0, {vendor, mfi::recordPan, mfi::panRight});
    } else {
        putExtendedRecord(image, 0, {vendor, mfi::recordPan, mfi::panCentre});
    }
    putMetaEvent(image, 0, mfi::rest, 0);
    putChannelBlocks(image, mfi::firstChannel, rateCode, s.left);
    if (s.stereo) putChannelBlocks(image, mfi::secondChannel, rateCode, s.right);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putWait(image, g726VoiceTicks(held, voice.rate, voice.twoBit));
    putExtraSilenceWait(image, inputs.extraSilenceMs);
    if (inputs.loop) {
        putReplay(image, mfi::firstChannel, rateCode);
        if (s.stereo) putReplay(image, mfi::secondChannel, rateCode);
        putLoopMarker(image, mfi::markerEnd);
    }
    closeVoiceTrack(image, track);
    return finishMfiFile(image);
}

} // namespace cw
