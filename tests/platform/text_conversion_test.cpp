// Code page 932 conversions that both builds must agree on: titles and copyright texts are
// written into ringtone files byte for byte.
#include "platform/text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Cp932Case {
    const char* name;
    std::string utf8;
    std::string cp932;
};

class Utf8ToCp932 : public testing::TestWithParam<Cp932Case> {};

TEST_P(Utf8ToCp932, EncodesAndDecodesBack) {
    const Cp932Case& c = GetParam();
    EXPECT_EQ(platform::utf8ToCp932(c.utf8), c.cp932);
    EXPECT_EQ(platform::cp932ToUtf8(c.cp932), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Utf8ToCp932,
    testing::Values(
        Cp932Case{"ascii", "Bell 01.wav", "Bell 01.wav"},
        // Byte 5C is the backslash and 7E the tilde in this code page, not yen and overline.
        Cp932Case{"backslashAndTilde", "a\\b~c", "a\\b~c"},
        Cp932Case{"kanji", "\xE7\x9D\x80\xE4\xBF\xA1\xE9\x9F\xB3", "\x92\x85\x90\x4D\x89\xB9"},
        Cp932Case{"halfWidthKatakana", "\xEF\xBD\xB1\xEF\xBE\x9D", "\xB1\xDD"},
        // The second byte of "ソ" is 5C: it must not be taken for a path separator.
        Cp932Case{"trailByteBackslash", "\xE3\x82\xBD", "\x83\x5C"},
        Cp932Case{"fullWidthTilde", "\xEF\xBD\x9E", "\x81\x60"},
        Cp932Case{"necCircledDigit", "\xE2\x91\xA0", "\x87\x40"},
        Cp932Case{"ibmRomanNumeral", "\xE2\x85\xB0", "\xFA\x40"},
        Cp932Case{"fullWidthNot", "\xEF\xBF\xA2", "\x81\xCA"},
        Cp932Case{"empty", "", ""}),
    [](const testing::TestParamInfo<Cp932Case>& info) { return std::string(info.param.name); });

TEST(Utf8ToCp932Missing, CharacterOutsideTheCodePageBecomesQuestionMark) {
    EXPECT_EQ(platform::utf8ToCp932("1\xE2\x82\xAC"), "1?"); // euro sign
}

struct BadBytesCase {
    const char* name;
    std::string cp932;
    std::string utf8;
};

class Cp932ToUtf8BadBytes : public testing::TestWithParam<BadBytesCase> {};

TEST_P(Cp932ToUtf8BadBytes, BecomeReplacementCharacterAndKeepTheRest) {
    EXPECT_EQ(platform::cp932ToUtf8(GetParam().cp932), GetParam().utf8);
}

const std::string replacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Bytes, Cp932ToUtf8BadBytes,
    testing::Values(
        BadBytesCase{"leadByteAtTheEnd", "ab\x81", "ab" + replacement},
        BadBytesCase{"leadByteBeforeSpace", "\x81 x", replacement + " x"},
        BadBytesCase{"unassignedSingleByte", "\xFD" "A", replacement + "A"},
        BadBytesCase{"unassignedRow", "\x85\x40!", replacement + "@!"}),
    [](const testing::TestParamInfo<BadBytesCase>& info) { return std::string(info.param.name); });

TEST(PathText, Utf8NamesRoundTrip) {
    const std::string name = "\xE7\x9D\x80\xE4\xBF\xA1 bell.wav";
    EXPECT_EQ(platform::pathToUtf8(platform::pathFromUtf8(name)), name);
}

} // namespace
