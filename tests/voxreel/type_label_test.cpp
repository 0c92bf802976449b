#include "voxreel/model/display_texts.hpp"
#include "voxreel/model/type_label.hpp"

#include <gtest/gtest.h>

TEST(TypeLabel, FamiliesAndRates) {
    struct Case {
        int version, vendor, variantCode, rate;
        const char* label;
    };
    const Case cases[] = {
        {500, 0x31, 301, 16000, "MFi(500) / SO505iS / 16000[Hz]"},
        {500, 400, 129, 8000, "MFi(500)(2) / 8000[Hz]"},
        {400, 400, 128, 16000, "MFi(400)(1) / 16000[Hz]"},
        {400, 400, 130, 8000, "MFi(400)(3) / 8000[Hz]"},
        {400, 400, 0x83, 8000, "MFi(400) / 8000[Hz]"},
        {300, 0, 0, 0, "MMF / 0[Hz]"},
        {200, 0x11, 200, 4000, "MFi(200) / N503,N211 / 4000[Hz]"},
        {300, 0x11, 300, 16000, "MFi(300) / N504,N505 / 16000[Hz]"},
        {301, 0x11, 303, 8000, "MFi(301) / N600 / 8000[Hz]"},
        {301, 0xF1, 303, 16000, "MFi(301) / L600 / 16000[Hz]"},
        {200, 0x21, 200, 8000, "MFi(200) / F503,F211 / 8000[Hz]"},
        {300, 0x21, 300, 8000, "MFi(300) / F504,F505 / 8000[Hz]"},
        {300, 0x31, 300, 8000, "MFi(300) / SO504,SO505i / 8000[Hz]"},
        {300, 0x41, 301, 8000, "MFi(300) / P505,P252 / 8000[Hz]"},
        {301, 0x41, 302, 8000, "MFi(301) / P900 / 8000[Hz]"},
        {200, 0x41, 300, 4000, "MFi(200) / P504,P211 / 4000[Hz]"},
        {300, 0x51, 300, 8000, "MFi(300) / Rxxx / 8000[Hz]"},
        {300, 0x61, 301, 32000, "MFi(300) / D505,D504,D211 / 32000[Hz]"},
        {300, 0x71, 302, 8000, "MFi(300) / SH505iS,SH252 / 8000[Hz]"},
        {300, 0x71, 300, 8000, "MFi(300) / SH505i,SH504,SH251 / 8000[Hz]"},
        {300, 0x99, 300, 8000, "MFi(300) / 8000[Hz]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(voxreel::formatTypeLabel(c.version, c.vendor, c.variantCode, c.rate), c.label);
    EXPECT_EQ(voxreel::smafTypeLabel(4000), "MMF / 4000[Hz]");
}

TEST(DisplayTexts, TrailingBlanksAndBufferLimits) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {{"Bell  ", "Bell"}, {"   ", " "}, {" a ", " a"}, {"", ""}, {"x", "x"}};
    for (const Case& c : cases) {
        std::string text = c.in;
        voxreel::trimTrailingBlanks(text);
        EXPECT_EQ(text, c.out) << '"' << c.in << '"';
    }
    EXPECT_EQ(voxreel::displayText(std::string(300, 'a')).size(), 255u);
    EXPECT_EQ(voxreel::displayText(std::string("ab\0cd", 5)), "ab");
}
