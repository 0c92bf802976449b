#include "chimewright/mfi/forms/mfi_events.hpp"

#include <algorithm>

namespace cw {

namespace mfi = suite::mfi;

void putMetaEvent(suite::ByteImage& image, unsigned char dt, unsigned char code,
                  unsigned char value) {
    image.put({dt, mfi::metaStatus, code, value});
}

void putTempo(suite::ByteImage& image, mfi::Tempo tempo) {
    putMetaEvent(image, 0, tempo.code, tempo.value);
}

void putMasterVolume(suite::ByteImage& image, unsigned char volume127) {
    putMetaEvent(image, 0, mfi::masterVolume, volume127);
}

void putSoundMarker(suite::ByteImage& image, unsigned char startOrEnd) {
    putMetaEvent(image, 0, mfi::soundMarker, startOrEnd);
}

void putLoopMarker(suite::ByteImage& image, unsigned char startOrEnd) {
    putMetaEvent(image, 0, mfi::loopMarker, startOrEnd);
}

void putEndOfTrack(suite::ByteImage& image) {
    putMetaEvent(image, 0, mfi::endOfTrack, 0);
}

void putExtendedRecordHead(suite::ByteImage& image, unsigned char dt, std::size_t length) {
    image.put({dt, mfi::metaStatus, mfi::extendedRecord});
    image.putBe16(static_cast<std::uint16_t>(length));
}

void putExtendedRecord(suite::ByteImage& image, unsigned char dt,
                       std::initializer_list<unsigned char> data) {
    putExtendedRecordHead(image, dt, data.size());
    image.put(data);
}

void putRestsOf254(suite::ByteImage& image, std::uint32_t ticks) {
    constexpr std::uint32_t full = 254;
    for (; ticks > full; ticks -= full) putMetaEvent(image, full, mfi::rest, 0);
    if (ticks > 0) putMetaEvent(image, static_cast<unsigned char>(ticks), mfi::rest, 0);
}

void putRestsOf255(suite::ByteImage& image, std::uint32_t ticks) {
    while (ticks > 0) {
        const std::uint32_t now = std::min<std::uint32_t>(ticks, mfi::maxDeltaTicks);
        putMetaEvent(image, static_cast<unsigned char>(now), mfi::rest, 0);
        ticks -= now;
    }
}

void putWait(suite::ByteImage& image, std::uint32_t ticks) {
    // A wait holds 16 bits; longer sounds (large user size limits at low rates) get several.
    do {
        const std::uint32_t now = std::min<std::uint32_t>(ticks, mfi::maxWaitTicks);
        putMetaEvent(image, static_cast<unsigned char>(now & 0xFF), mfi::longWait,
                     static_cast<unsigned char>(now >> 8));
        ticks -= now;
    } while (ticks > 0);
}

namespace {

unsigned char scaledVolume(double volume, int full) {
    const double v = volume >= 0.0 ? std::min(volume, 1.0) : 0.0; // NaN counts as 0
    return static_cast<unsigned char>(static_cast<int>(v * full + 0.5));
}

} // namespace

unsigned char volume127(double volume) { return scaledVolume(volume, 127); }
unsigned char volume63(double volume) { return scaledVolume(volume, 63); }

} // namespace cw
