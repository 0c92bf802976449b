#include "chimewright/mfi/forms/single_rest_writer.hpp"

#include "chimewright/mfi/forms/low_nibble_records.hpp"
#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"

#include <array>

namespace cw {

namespace mfi = suite::mfi;

namespace {

constexpr std::array<unsigned, 5> timeBases{15, 30, 60, 120, 240}; // codes C8 to CC
constexpr unsigned char firstTimeBaseCode = 0xC8;
constexpr unsigned highestTempo = 200;
constexpr unsigned lowestTempo = 33;
constexpr std::uint64_t maxSeconds = 30;
// 255 ticks × 60 s per minute: the span of a pair is spanNumerator / (tempo × time base) s.
constexpr std::uint64_t spanNumerator = 255 * 60;

// |span − c| scaled by (tempo × time base × cd), with c = cn / cd seconds.
std::uint64_t scaledDistance(std::uint64_t product, std::uint64_t cn, std::uint64_t cd) {
    const std::uint64_t span = spanNumerator * cd;
    const std::uint64_t sound = cn * product;
    return span > sound ? span - sound : sound - span;
}

// a / pa < b / pb, exactly: distances are compared across different scales.
bool closer(std::uint64_t a, std::uint64_t pa, std::uint64_t b, std::uint64_t pb) {
    return a * pb < b * pa;
}

struct Records {
    unsigned char voice[4];  // before the rate byte
    unsigned char after[4];
    unsigned char second[5];
};

constexpr Records records21{{0x21, 0x01, 0x03, 0x01}, {0x21, 0x01, 0x06, 0x3F},
                            {0x21, 0x01, 0x05, 0x01, 0xFF}};
constexpr Records records11{{0x11, 0xF0, 0x02, 0x01}, {0x11, 0xF2, 0x01, 0x3F},
                            {0x11, 0xF1, 0x20, 0x01, 0xFF}};

constexpr std::size_t voiceRecordPrefix = 5;

} // namespace

SingleRestTempo chooseSingleRestTempo(std::size_t bytes, int rate, std::uint32_t extraMs) {
    // c = (bytes × 2000 + extra × rate) / (rate × 1000) seconds, as an exact fraction.
    const std::uint64_t r = static_cast<std::uint64_t>(rate > 0 ? rate : 8000);
    const std::uint64_t cd = r * 1000;
    std::uint64_t cn = std::uint64_t{bytes} * 2000 + std::uint64_t{extraMs} * r;
    if (cn > maxSeconds * cd) cn = maxSeconds * cd;

    SingleRestTempo best{firstTimeBaseCode, static_cast<unsigned char>(highestTempo)};
    std::uint64_t bestDistance = 0, bestProduct = 0;
    bool any = false;
    for (unsigned tempo = highestTempo; tempo >= lowestTempo; --tempo) {
        // Within a tempo the larger time base keeps a tie: scan from the largest down.
        std::size_t pick = timeBases.size() - 1;
        std::uint64_t pickProduct = std::uint64_t{tempo} * timeBases[pick];
        std::uint64_t pickDistance = scaledDistance(pickProduct, cn, cd);
        for (std::size_t i = timeBases.size() - 1; i-- > 0;) {
            const std::uint64_t product = std::uint64_t{tempo} * timeBases[i];
            const std::uint64_t distance = scaledDistance(product, cn, cd);
            if (closer(distance, product, pickDistance, pickProduct)) {
                pick = i;
                pickProduct = product;
                pickDistance = distance;
            }
        }
        // Across tempos only a strictly closer pair replaces the best: the higher tempo wins.
        if (!any || closer(pickDistance, pickProduct, bestDistance, bestProduct)) {
            any = true;
            best = {static_cast<unsigned char>(firstTimeBaseCode + pick),
                    static_cast<unsigned char>(tempo)};
            bestDistance = pickDistance;
            bestProduct = pickProduct;
        }
    }
    return best;
}

std::vector<unsigned char> writeSingleRestFile(SingleRestVendor vendor, const MfiWriterInputs& inputs,
                                               std::span<const unsigned char> voice, int rate) {
    if (voice.size() + voiceRecordPrefix > 0xFFFF) return {};
    const Records& rec = vendor == SingleRestVendor::vendor21 ? records21 : records11;
    const SingleRestTempo tempo = chooseSingleRestTempo(voice.size(), rate, inputs.extraSilenceMs);

    suite::ByteImage image;
    putMfiHeader(image, {.dataType = 2, .trackCount = 1, .version = mfi::version0200}, inputs.texts);
    const std::size_t track = image.openChunk(mfi::trackId);
    putSoundMarker(image, mfi::markerStart);
    putTempo(image, {tempo.code, tempo.tempo});
    putMasterVolume(image, volume127(inputs.volume));
    putExtendedRecordHead(image, 0, voice.size() + voiceRecordPrefix);
    image.put(std::span<const unsigned char>(rec.voice));
    image.put(static_cast<unsigned char>(rate == 4000 ? 0 : 1));
    image.put(withSilentTail(voice));
    putExtendedRecordHead(image, 0, sizeof rec.after);
    image.put(std::span<const unsigned char>(rec.after));
    putExtendedRecordHead(image, 0, sizeof rec.second);
    image.put(std::span<const unsigned char>(rec.second));
    putMetaEvent(image, 0xFF, mfi::rest, 0);
    closeVoiceTrack(image, track);
    return finishMfiFile(image);
}

} // namespace cw
