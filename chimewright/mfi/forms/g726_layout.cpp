#include "chimewright/mfi/forms/g726_layout.hpp"

#include "shared/mfi_rate_selectors.hpp"

namespace cw {

unsigned char g726RateCode(int rate, bool twoBit) {
    namespace mfi = suite::mfi;
    return static_cast<unsigned char>(mfi::g726RateBase |
                                      mfi::g726SelectorFor(rate, twoBit ? 2 : 4));
}

std::array<unsigned char, 12> g726ChannelTable(int rate) {
    const unsigned char e = rate <= 8000 ? 1 : 3;
    const unsigned char e1 = static_cast<unsigned char>(e + 1);
    return {0x81, 0x01, e, 0x89, 0x01, e, 0x83, 0x01, e1, 0x8B, 0x01, e1};
}

std::uint32_t g726VoiceTicks(std::size_t bytesPerChannel, int rate, bool twoBit) {
    // Exact fractions: bytes × 400 / rate ticks of sound, plus 0.999 before truncating; at
    // 32000 Hz the samples per byte follow the code width and 10 ticks (0.05 s) are added.
    const std::uint64_t bytes = bytesPerChannel;
    if (rate >= 32000) {
        const std::uint64_t samplesPerByte = twoBit ? 4 : 2;
        const std::uint64_t r = static_cast<std::uint64_t>(rate);
        return static_cast<std::uint32_t>((bytes * samplesPerByte * 200 * 1000 + 999 * r) /
                                          (1000 * r) + 10);
    }
    const std::uint64_t r = static_cast<std::uint64_t>(rate > 0 ? rate : 8000);
    return static_cast<std::uint32_t>((bytes * 400 * 1000 + 999 * r) / (1000 * r));
}

std::uint32_t g726InlineTicks(std::size_t bytes, int rate, std::uint32_t extraMs) {
    // A byte lasts 2 / rate seconds, 240 / rate ticks; the extra silence is taken as 0.12
    // ticks per millisecond (the 8.333333-ms tick, to within a part in 10^7).
    constexpr std::uint64_t maxTicks = 7201;
    const std::uint64_t r = static_cast<std::uint64_t>(rate > 0 ? rate : 8000);
    const std::uint64_t ticks =
        (std::uint64_t{bytes} * 240 * 1000 + std::uint64_t{extraMs} * 120 * r) / (1000 * r) + 1;
    return static_cast<std::uint32_t>(ticks > maxTicks ? maxTicks : ticks);
}

std::array<unsigned char, 11> g726AudioInfo(int rate) {
    const unsigned char f = rate > 8000 ? 32 : 16;
    const unsigned char e = rate > 8000 ? 16 : 8;
    return {0x01, 0x01, 0x81, 0x00, 0x06, f, e, f, f, e, f};
}

unsigned char g726AdatRateKHz(int rate) {
    return static_cast<unsigned char>(rate == 4000 ? 8 : rate / 1000);
}

} // namespace cw
