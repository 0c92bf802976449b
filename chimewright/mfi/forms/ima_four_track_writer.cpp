#include "chimewright/mfi/forms/ima_four_track_writer.hpp"

#include "chimewright/mfi/forms/four_track_layout.hpp"
#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/voice/voice_blocks.hpp"

#include <algorithm>
#include <initializer_list>

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr std::size_t imaRecordPrefix = 8; // P 88 ch r m

unsigned char imaRateCode(int rate) {
    if (rate == 8000) return 5;
    if (rate == 16000) return 6;
    return 7;
}

// dt FF FF nn nn P + data
void putPrefixedRecord(suite::ByteImage& image, const ImaRecordPrefix& prefix,
                       std::initializer_list<unsigned char> data) {
    putExtendedRecordHead(image, 0, prefix.size() + data.size());
    image.put(prefix);
    image.put(data);
}

void putChannelBlocks(suite::ByteImage& image, const ImaRecordPrefix& prefix, unsigned char channel,
                      unsigned char rateCode, std::span<const unsigned char> voice) {
    const auto blocks = splitVoiceBlocks(voice, maxFourTrackBlockBytes, maxFourTrackBlocks);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const bool more = i + 1 < blocks.size();
        putExtendedRecordHead(image, 0, blocks[i].size() + imaRecordPrefix);
        image.put(prefix);
        image.put({mfi::recordImaBlock, channel, rateCode, static_cast<unsigned char>(more ? 1 : 0)});
        image.put(blocks[i]);
    }
}

} // namespace

std::uint32_t imaFourTrackTicks(std::size_t bytesPerChannel, int rate) {
    // Exact fractions: bytes × 400 / rate ticks of sound.
    const std::uint64_t bytes = bytesPerChannel;
    const std::uint64_t r = static_cast<std::uint64_t>(rate > 0 ? rate : 8000);
    if (rate == 16000)
        return static_cast<std::uint32_t>((bytes * 400 * 1000 + 2999 * r) / (1000 * r) + 10);
    return static_cast<std::uint32_t>((bytes * 400 * 1000 + 1999 * r) / (1000 * r));
}

std::vector<unsigned char> writeImaFourTrackFile(const ImaRecordPrefix& prefix,
                                                 const MfiWriterInputs& inputs,
                                                 const ImaVoice& voice) {
    const VoiceStreams& s = voice.streams;
    const unsigned char rateCode = imaRateCode(voice.rate);
    const unsigned char play = static_cast<unsigned char>(rateCode + mfi::playFlag);
    const unsigned char vv63 = volume63(inputs.volume);
    const std::size_t held = std::min(s.left.size(), maxFourTrackBlockBytes * maxFourTrackBlocks);
    const std::uint32_t ticks = imaFourTrackTicks(held, voice.rate);

    suite::ByteImage image;
    putMfiHeader(image, {.dataType = 2, .trackCount = 4, .version = mfi::version0301}, inputs.texts);

    const std::size_t track = image.openChunk(mfi::trackId);
    putSoundMarker(image, mfi::markerStart);
    putTempo(image, mfi::tempo5ms);
    putMasterVolume(image, volume127(inputs.volume));
    putPrefixedRecord(image, prefix, {mfi::recordVolume, vv63});
    if (s.stereo) {
        putPrefixedRecord(image, prefix,
                          {mfi::recordVolume,
                           static_cast<unsigned char>(vv63 | mfi::secondChannelVolumeFlag)});
        putPrefixedRecord(image, prefix, {mfi::recordPan, mfi::panLeft});
        putPrefixedRecord(image, prefix, {mfi::recordPan, mfi::panRight});
    } else {
        putPrefixedRecord(image, prefix, {mfi::recordPan, mfi::panCentre});
    }
    putChannelBlocks(image, prefix, mfi::firstChannel, rateCode, s.left);
    if (s.stereo) putChannelBlocks(image, prefix, mfi::secondChannel, rateCode, s.right);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putPrefixedRecord(image, prefix, {mfi::recordImaBlock, mfi::firstChannel, play, 0x00});
    if (s.stereo)
        putPrefixedRecord(image, prefix, {mfi::recordImaBlock, mfi::secondChannel, play, 0x00});
    putWait(image, ticks);
    putExtraSilenceWait(image, inputs.extraSilenceMs);
    if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
    putEndOfTrack(image);
    image.closeChunk(track);

    putFourTrackCompanions(image, ticks, inputs.extraSilenceMs, true);
    return finishMfiFile(image);
}

} // namespace cw
