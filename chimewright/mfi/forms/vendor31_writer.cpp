#include "chimewright/mfi/forms/vendor31_writer.hpp"

#include "chimewright/mfi/forms/low_nibble_records.hpp"
#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"

#include <initializer_list>

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr unsigned char v = mfi::vendor31;
constexpr std::size_t voiceRecordPrefix = 7; // 31 10 07 ch 01 RR RR

// dt FF FF nn nn 31 10 + data
void putRecord(suite::ByteImage& image, unsigned char dt,
               std::initializer_list<unsigned char> data) {
    putExtendedRecordHead(image, dt, 2 + data.size());
    image.put({v, 0x10});
    image.put(data);
}

void putVoiceRecord(suite::ByteImage& image, unsigned char channel, int rate,
                    std::span<const unsigned char> voice) {
    putExtendedRecordHead(image, 0, voice.size() + voiceRecordPrefix);
    image.put({v, 0x10, 0x07, channel, 0x01});
    image.putBe16(static_cast<std::uint16_t>(rate));
    image.put(withSilentTail(voice));
}

struct Step {
    std::uint64_t limit; // largest u of this step
    std::uint64_t divisor;
    mfi::Tempo tempo;
};

constexpr Step steps[] = {
    {25400, 100, {0xC4, 0x7D}},  {50800, 200, {0xC3, 0x7D}},   {101600, 400, {0xC3, 0x3E}},
    {203200, 800, {0xC3, 0x1F}}, {406400, 1600, {0xC2, 0x1F}}, {812800, 3200, {0xC1, 0x1F}},
};
constexpr Step lastStep{1200000, 6400, {0xC0, 0x1F}};
constexpr Vendor31Tempo outOfRange{188, {0xC0, 0x1F}};

} // namespace

Vendor31Tempo vendor31Tempo(std::size_t bytesPerChannel, int rate, std::uint32_t extraMs) {
    // u = trunc(bytes × 2 / rate s + extra ms) in 0.05-ms units: bytes × 40000 / rate + 20 × extra.
    const std::uint64_t r = static_cast<std::uint64_t>(rate > 0 ? rate : 8000);
    const std::uint64_t u =
        (std::uint64_t{bytesPerChannel} * 40000 + std::uint64_t{extraMs} * 20 * r) / r;
    if (u == 0 || u > lastStep.limit) return outOfRange;
    Step step = lastStep;
    for (const Step& s : steps) {
        if (u <= s.limit) {
            step = s;
            break;
        }
    }
    return {static_cast<std::uint32_t>(u / step.divisor + 1), step.tempo};
}

std::vector<unsigned char> writeVendor31File(const MfiWriterInputs& inputs,
                                             const VoiceStreams& voice, int rate) {
    if (voice.left.size() + voiceRecordPrefix > 0xFFFF ||
        voice.right.size() + voiceRecordPrefix > 0xFFFF)
        return {};
    const Vendor31Tempo t = vendor31Tempo(voice.left.size(), rate, inputs.extraSilenceMs);
    const bool extraTrack = inputs.extraSilenceMs > 0;
    constexpr std::uint32_t full = 254;

    suite::ByteImage image;
    putMfiHeader(image,
                 {.dataType = 2, .trackCount = static_cast<unsigned char>(extraTrack ? 2 : 1),
                  .version = mfi::version0300},
                 inputs.texts);
    const std::size_t track = image.openChunk(mfi::trackId);
    putRecord(image, 0, {0x01, 0x10});
    putMasterVolume(image, volume127(inputs.volume));
    putRecord(image, 0, {0x11, 0x00});
    putRecord(image, 0, {0x02, 0x02});
    putVoiceRecord(image, 0x00, rate, voice.left);
    if (voice.stereo) {
        putVoiceRecord(image, 0x01, rate, voice.right);
        putRecord(image, 0, {0x0B, 0x00, 0x00});
        putRecord(image, 0, {0x4B, 0x01, 0x3F});
    }
    putSoundMarker(image, mfi::markerStart);
    if (inputs.loop) putLoopMarker(image, mfi::markerStart);
    putTempo(image, t.tempo);
    putRecord(image, 0, {0x09, 0x00, 0x64});
    if (voice.stereo) putRecord(image, 0, {0x49, 0x01, 0x64});
    if (t.ticks <= full) {
        putRecord(image, static_cast<unsigned char>(t.ticks), {0x0A, 0x00});
        if (voice.stereo) putRecord(image, 0, {0x4A, 0x01});
    } else {
        putRecord(image, full, {0x0A, 0x00});
        if (voice.stereo) putRecord(image, 0, {0x4A, 0x01});
        putRecord(image, 0xFF, {0x4A, 0x01});
    }
    if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
    closeVoiceTrack(image, track);

    if (extraTrack) {
        const std::size_t second = image.openChunk(mfi::trackId);
        if (inputs.loop) putLoopMarker(image, mfi::markerStart);
        putTempo(image, t.tempo);
        putTwoRests(image, t.ticks);
        if (inputs.loop) putLoopMarker(image, mfi::markerEnd);
        putEndOfTrack(image);
        image.closeChunk(second);
    }
    return finishMfiFile(image);
}

} // namespace cw
