// The rate selectors of the voice records: a few bits of a record name the sampling rate,
// and for G.726 voices whether the code words have 2 bits.
#pragma once

namespace voxreel {

struct RateEntry {
    bool found = false;
    double rate = 0;
    int codeWidth = 4;
};

// Table A (selector of 5 bits): the G.726 selectors of suite::mfi::g726RateSelectors (4 = 4000
// with 2-bit codes, 5 = 8000, 0x0D = 16000, 0x14 = 32000 with 2-bit codes, 0x15 = 32000) and
// 6 = 16000.
RateEntry rateTableA(int selector);
// Table B: as table A, with 0x0C = 16000 with 2-bit codes in place of 6.
RateEntry rateTableB(int selector);
// Table C: the low four bits, the step block codes 4 = 4000, 5 = 8000, 6 = 16000.
RateEntry rateTableC(int selector);

} // namespace voxreel
