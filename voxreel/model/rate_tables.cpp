#include "voxreel/model/rate_tables.hpp"

#include "shared/mfi_rate_selectors.hpp"

namespace voxreel {

namespace mfi = suite::mfi;

namespace {

RateEntry entry(double rate, int codeWidth = 4) { return RateEntry{true, rate, codeWidth}; }

RateEntry entryOf(int selector, const mfi::RateSelector& extra) {
    const auto found = mfi::findRateSelector(selector, extra);
    return found ? entry(found->rate, found->codeWidth) : RateEntry{};
}

} // namespace

RateEntry rateTableA(int selector) { return entryOf(selector, mfi::stepBlock16000); }

RateEntry rateTableB(int selector) { return entryOf(selector, mfi::g726TwoBit16000); }

RateEntry rateTableC(int selector) {
    switch (selector & 0x0F) {
    case mfi::blockRate4000: return entry(4000);
    case mfi::blockRate8000: return entry(8000);
    case mfi::blockRateOther: return entry(16000);
    default: return {};
    }
}

} // namespace voxreel
