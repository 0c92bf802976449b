// The rate selectors of the MFi voice records: the low five bits of a record's rate byte name
// the sampling rate written into the file and the width of its code words. The writers pick
// the selector of their rate; the player reads the rate back from the selector.
#pragma once

#include "shared/mfi_format.hpp"

#include <array>
#include <optional>

namespace suite::mfi {

struct RateSelector {
    unsigned char selector; // low five bits of the rate byte
    int rate;               // as written: 4000 stands for 2-bit code words at 8000 Hz
    int codeWidth;          // bits per code word
};

// The selectors of the G.726 voice records, in the order the writers look them up.
inline constexpr std::array<RateSelector, 5> g726RateSelectors{{
    {0x04, 4000, 2},
    {0x05, 8000, 4},
    {0x0D, 16000, 4},
    {0x14, 32000, 2},
    {0x15, 32000, 4},
}};

// Selectors only some families' records carry, read but never written by the G.726 writers:
// 16000 Hz under the step block code (in the records read with the player's table A) and
// 2-bit 16000 Hz (in those read with its table B).
inline constexpr RateSelector stepBlock16000{blockRateOther, 16000, 4};
inline constexpr RateSelector g726TwoBit16000{0x0C, 16000, 2};

// The rate byte of the G.726 records sets this bit above the selector.
inline constexpr unsigned char g726RateBase = 0x40;

// The writers' choice: the selector of the rate with the code width, else the first of the
// rate, else that of 8000 Hz.
constexpr unsigned char g726SelectorFor(int rate, int codeWidth) {
    const RateSelector* ofRate = nullptr;
    for (const RateSelector& s : g726RateSelectors) {
        if (s.rate != rate) continue;
        if (s.codeWidth == codeWidth) return s.selector;
        if (!ofRate) ofRate = &s;
    }
    return ofRate ? ofRate->selector : g726RateSelectors[1].selector;
}

// The player's reading of a selector among the G.726 ones and `extra`.
constexpr std::optional<RateSelector> findRateSelector(int selector, const RateSelector& extra) {
    if (selector == extra.selector) return extra;
    for (const RateSelector& s : g726RateSelectors)
        if (s.selector == selector) return s;
    return std::nullopt;
}

} // namespace suite::mfi
