#include "voxreel/model/rate_tables.hpp"

namespace voxreel {

namespace {

RateEntry entry(double rate, int codeWidth = 4) { return RateEntry{true, rate, codeWidth}; }

RateEntry sharedEntries(int selector) {
    switch (selector) {
    case 0x04: return entry(4000, 2);
    case 0x05: return entry(8000);
    case 0x0D: return entry(16000);
    case 0x14: return entry(32000, 2);
    case 0x15: return entry(32000);
    default: return {};
    }
}

} // namespace

RateEntry rateTableA(int selector) {
    if (selector == 0x06) return entry(16000);
    return sharedEntries(selector);
}

RateEntry rateTableB(int selector) {
    if (selector == 0x0C) return entry(16000, 2);
    return sharedEntries(selector);
}

RateEntry rateTableC(int selector) {
    switch (selector & 0x0F) {
    case 4: return entry(4000);
    case 5: return entry(8000);
    case 6: return entry(16000);
    default: return {};
    }
}

} // namespace voxreel
