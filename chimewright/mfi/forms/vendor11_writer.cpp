#include "chimewright/mfi/forms/vendor11_writer.hpp"

#include "chimewright/mfi/forms/low_nibble_records.hpp"
#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/forms/mfi_timing.hpp"
#include "chimewright/mfi/voice/voice_blocks.hpp"

#include <algorithm>
#include <initializer_list>

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr unsigned char v = mfi::vendor11;
constexpr std::size_t voiceRecordPrefix = 8; // 11 01 F0 07 k 01 RR RR

// 11 01 + data
void putRecord(suite::ByteImage& image, std::initializer_list<unsigned char> data) {
    putExtendedRecordHead(image, 0, 2 + data.size());
    image.put({v, 0x01});
    image.put(data);
}

// 00 FF FF ll ll 11 01 F0 07 k 01 RR RR + voice
void putVoiceRecord(suite::ByteImage& image, unsigned char index, int rate,
                    std::span<const unsigned char> voice) {
    putExtendedRecordHead(image, 0, voice.size() + voiceRecordPrefix);
    image.put({v, 0x01, 0xF0, 0x07, index, 0x01});
    image.putBe16(static_cast<std::uint16_t>(rate));
    image.put(voice);
}

// Pans of a stereo pair: the first channel at 0x00, the second at 0x3F.
void putStereoPans(suite::ByteImage& image, unsigned char leftIndex) {
    putRecord(image, {0xF1, 0x06, leftIndex, 0x00});
    putRecord(image, {0xF1, 0x46, static_cast<unsigned char>(leftIndex + 1), 0x3F});
}

// Start record: F1 03 (first channel, or an even block) or F1 43, block index, volume 7F.
void putStart(suite::ByteImage& image, bool second, unsigned char index) {
    putRecord(image, {0xF1, static_cast<unsigned char>(second ? 0x43 : 0x03), index, 0x7F});
}

suite::ByteImage startFile(const MfiWriterInputs& inputs) {
    suite::ByteImage image;
    putMfiHeader(image, {.dataType = 1, .trackCount = 1, .version = mfi::version0300}, inputs.texts);
    return image;
}

// D = trunc(bytes × 2 / rate / 0.005 + 0.999) ticks of 5 ms.
std::uint32_t blockTicks(std::size_t bytes, int rate) {
    const std::uint64_t r = static_cast<std::uint64_t>(rate > 0 ? rate : 8000);
    return static_cast<std::uint32_t>((std::uint64_t{bytes} * 400 * 1000 + 999 * r) / (1000 * r));
}

} // namespace

Vendor11ShortTempo vendor11ShortTempo(std::uint32_t e) {
    if (e == 0 || e >= 15001) return {468, {0xC8, 0x1F}};
    if (e <= 508) return {e, {0xCB, 0x7D}};
    if (e <= 1016) return {e / 2, {0xCA, 0x7D}};
    if (e <= 2032) return {e / 4, {0xC9, 0x7D}};
    if (e <= 4064) return {e / 8, {0xC8, 0x7D}};
    if (e <= 8128) return {e / 16, {0xC8, 0x3E}};
    return {e / 32, {0xC8, 0x1F}};
}

std::uint32_t vendor11ShortTicks(std::size_t bytesPerChannel, int rate, std::uint32_t extraMs) {
    // (bytes × 2000 + extra × rate) / (4 × rate): exact for every rate the family uses.
    const std::uint64_t r = static_cast<std::uint64_t>(rate > 0 ? rate : 8000);
    const std::uint64_t ticks =
        (std::uint64_t{bytesPerChannel} * 2000 + std::uint64_t{extraMs} * r) / (4 * r) + 1;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(ticks, 0xFFFFFFFFu));
}

std::vector<unsigned char> writeVendor11ShortFile(const MfiWriterInputs& inputs,
                                                  const VoiceStreams& voice, int rate) {
    if (voice.left.size() + voiceRecordPrefix > 0xFFFF ||
        voice.right.size() + voiceRecordPrefix > 0xFFFF)
        return {};
    const Vendor11ShortTempo tempo =
        vendor11ShortTempo(vendor11ShortTicks(voice.left.size(), rate, inputs.extraSilenceMs));

    suite::ByteImage image = startFile(inputs);
    const std::size_t track = image.openChunk(mfi::trackId);
    putRecord(image, {0xF3, 0x03, 0x02});
    putMasterVolume(image, volume127(inputs.volume));
    putVoiceRecord(image, 0, rate, withSilentTail(voice.left));
    if (voice.stereo) putVoiceRecord(image, 1, rate, withSilentTail(voice.right));
    putRecord(image, {0xF3, 0x04, 0x02});
    if (voice.stereo) putStereoPans(image, 0);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putTempo(image, tempo.tempo);
    putStart(image, false, 0);
    if (voice.stereo) putStart(image, true, 1);
    putTwoRests(image, tempo.ticks);
    if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
    putEndOfTrack(image);
    image.closeChunk(track);
    return finishMfiFile(image);
}

std::vector<unsigned char> writeVendor11BlockFile(const MfiWriterInputs& inputs,
                                                  const VoiceStreams& voice, int rate) {
    // 32 blocks in all: 32 in mono, 16 per channel in stereo.
    const std::size_t maxBlocks = voice.stereo ? 16 : 32;
    const auto left = withSilentTail(voice.left);
    const auto right = withSilentTail(voice.right);
    const auto leftBlocks = splitVoiceBlocks(left, maxVendor11BlockBytes, maxBlocks);
    const auto rightBlocks = splitVoiceBlocks(right, maxVendor11BlockBytes, maxBlocks);
    const std::size_t count =
        voice.stereo ? std::min(leftBlocks.size(), rightBlocks.size()) : leftBlocks.size();
    // A block's number in its records: its index in mono, 2k and 2k + 1 for a stereo pair.
    auto number = [&](std::size_t k, bool second) {
        return static_cast<unsigned char>(voice.stereo ? 2 * k + (second ? 1 : 0) : k);
    };

    suite::ByteImage image = startFile(inputs);
    const std::size_t track = image.openChunk(mfi::trackId);
    putRecord(image, {0xF3, 0x03, 0x00});
    putRecord(image, {0xF3, 0x04, 0x02});
    putMasterVolume(image, volume127(inputs.volume));
    for (std::size_t k = 0; k < count; ++k) {
        putVoiceRecord(image, number(k, false), rate, leftBlocks[k]);
        if (voice.stereo) putVoiceRecord(image, number(k, true), rate, rightBlocks[k]);
    }
    if (voice.stereo)
        for (std::size_t k = 0; k < count; ++k) putStereoPans(image, number(k, false));
    putTempo(image, mfi::tempo5ms);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    for (std::size_t k = 0; k < count; ++k) {
        if (voice.stereo) {
            putStart(image, false, number(k, false));
            putStart(image, true, number(k, true));
        } else {
            putStart(image, k % 2 == 1, number(k, false));
        }
        putWait(image, blockTicks(leftBlocks[k].size(), rate));
    }
    constexpr std::uint32_t endTicks = 5;
    putWait(image, endTicks + (inputs.extraSilenceMs > 0
                                   ? extraSilenceTicks5ms(inputs.extraSilenceMs) : 0));
    if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
    putEndOfTrack(image);
    image.closeChunk(track);
    return finishMfiFile(image);
}

} // namespace cw
