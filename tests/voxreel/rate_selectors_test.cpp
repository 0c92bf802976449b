// The G.726 writers' rate bytes and the player's rate tables come from one list of selectors:
// every selector written reads back as the rate and code width it was written for, and every
// G.726 selector the player knows is the one the writers choose for what it reads as.
#include "chimewright/mfi/forms/g726_layout.hpp"
#include "shared/mfi_rate_selectors.hpp"
#include "voxreel/model/rate_tables.hpp"

#include <gtest/gtest.h>

namespace {

namespace mfi = suite::mfi;

struct Table {
    const char* name;
    voxreel::RateEntry (*read)(int selector);
    int readOnly; // the selector of this table the G.726 writers never write
};

const Table tables[] = {
    {"A", voxreel::rateTableA, mfi::stepBlock16000.selector},
    {"B", voxreel::rateTableB, mfi::g726TwoBit16000.selector},
};

TEST(RateSelectors, WhatTheWritersWriteReadsBack) {
    for (const mfi::RateSelector& s : mfi::g726RateSelectors) {
        const unsigned char byte = cw::g726RateCode(s.rate, s.codeWidth == 2);
        EXPECT_EQ(byte & 0xE0, mfi::g726RateBase) << s.rate;
        ASSERT_EQ(byte & 0x1F, s.selector) << s.rate << " " << s.codeWidth;
        for (const Table& table : tables) {
            const voxreel::RateEntry read = table.read(byte & 0x1F);
            EXPECT_TRUE(read.found) << table.name << " " << int{s.selector};
            EXPECT_EQ(read.rate, s.rate) << table.name << " " << int{s.selector};
            EXPECT_EQ(read.codeWidth, s.codeWidth) << table.name << " " << int{s.selector};
        }
    }
}

TEST(RateSelectors, WhatThePlayerReadsIsWhatTheWritersWouldWrite) {
    for (const Table& table : tables) {
        int known = 0;
        for (int selector = 0; selector < 0x20; ++selector) {
            const voxreel::RateEntry read = table.read(selector);
            if (!read.found) continue;
            ++known;
            if (selector == table.readOnly) continue;
            const int rate = static_cast<int>(read.rate);
            EXPECT_EQ(cw::g726RateCode(rate, read.codeWidth == 2) & 0x1F, selector)
                << table.name << " " << selector;
        }
        EXPECT_EQ(known, static_cast<int>(mfi::g726RateSelectors.size()) + 1) << table.name;
    }
}

} // namespace
