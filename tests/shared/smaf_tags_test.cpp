#include "shared/cp932_bytes.hpp"
#include "shared/smaf_tags.hpp"

#include <gtest/gtest.h>

using suite::SmafTagBytes;

TEST(SmafTags, CommaAndBackslashAreEscaped) {
    for (SmafTagBytes mode : {SmafTagBytes::single, SmafTagBytes::doubleByte})
        EXPECT_EQ(suite::escapeSmafTagValue("a,b\\c", mode), "a\\,b\\\\c");
}

TEST(SmafTags, DoubleByteCharactersKeepATrailBackslash) {
    const std::string hyou = "\x95\x5C"; // a character whose trail byte is 0x5C
    EXPECT_EQ(suite::escapeSmafTagValue(hyou + ",", SmafTagBytes::doubleByte), hyou + "\\,");
    EXPECT_EQ(suite::escapeSmafTagValue(hyou, SmafTagBytes::single), "\x95\\\\");
    // A lead byte at the very end has no trail byte to protect.
    EXPECT_EQ(suite::escapeSmafTagValue("\x95", SmafTagBytes::doubleByte), "\x95");
}

TEST(Cp932Text, CutKeepsDoubleByteCharactersWhole) {
    const std::string text = "ab\x82\xA0" "c"; // a, b, a double-byte character, c
    EXPECT_EQ(suite::cutCp932Text(text, 5), text);
    EXPECT_EQ(suite::cutCp932Text(text, 4), "ab\x82\xA0");
    EXPECT_EQ(suite::cutCp932Text(text, 3), "ab");
    EXPECT_EQ(suite::cutCp932Text("ab\x82", 10), "ab") << "a lead byte without its trail byte";
}
