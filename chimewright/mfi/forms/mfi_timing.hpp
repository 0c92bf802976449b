// Tick counts shared by the MFi writers. Integer arithmetic throughout, so that every build
// writes the same bytes.
#pragma once

#include <cstdint>

namespace cw {

// The extra silence as 5-ms ticks: trunc(ms / 5 + 1).
constexpr std::uint32_t extraSilenceTicks5ms(std::uint32_t extraMs) { return extraMs / 5 + 1; }

// Playing time of `bytes` ADPCM bytes of two samples each, in ticks of `tickMs`
// milliseconds, as the exact fraction numerator / denominator.
struct TickFraction {
    std::uint64_t numerator;
    std::uint64_t denominator;
};
constexpr TickFraction voiceTicks(std::uint64_t bytes, std::uint32_t rate, std::uint32_t tickMs) {
    return {bytes * 2 * 1000, std::uint64_t{rate} * tickMs};
}

constexpr std::uint64_t ceilTicks(TickFraction t) {
    return (t.numerator + t.denominator - 1) / t.denominator;
}

} // namespace cw
