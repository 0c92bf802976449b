// Header, information chunks, texts and event helpers shared by every MFi writer.
#include "chimewright/mfi/forms/mfi_container.hpp"
#include "chimewright/mfi/forms/mfi_events.hpp"
#include "chimewright/mfi/forms/mfi_texts.hpp"
#include "tests/chimewright/mfi/golden_bytes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using mfi_test::Golden;

namespace {

std::vector<unsigned char> header(std::string_view version, const cw::MfiTexts& texts) {
    suite::ByteImage image;
    cw::putMfiHeader(image, {.dataType = 2, .trackCount = 1, .version = version}, texts);
    return cw::finishMfiFile(image);
}

} // namespace

TEST(MfiTexts, CopiedUntilAControlByteAtMost64Bytes) {
    struct Case { const char* name; std::string in; std::string out; };
    const Case cases[] = {
        {"plain", "bell", "bell"},
        {"stops at a control byte", "be\tll", "be"},
        {"control byte first", "\x01title", ""},
        {"cut at 64", std::string(70, 'a'), std::string(64, 'a')},
        {"exactly 64", std::string(64, 'b'), std::string(64, 'b')},
        // A double-byte character that would end past byte 64 is left out whole.
        {"no half character", std::string(63, 'c') + "\x82\xA0", std::string(63, 'c')},
        {"double-byte characters kept", "\x82\xA0\x82\xA2", "\x82\xA0\x82\xA2"},
    };
    for (const Case& c : cases) EXPECT_EQ(cw::cutMfiText(c.in), c.out) << c.name;
}

TEST(MfiHeader, WithoutTextsTheInformationIs28Bytes) {
    Golden g;
    g.text("melo").be32(38 - 8).be16(28).raw({0x02, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text("0300");
    g.text("note").be16(2).raw({0x00, 0x01});
    EXPECT_EQ(header("0300", {}), g.bytes());
}

TEST(MfiHeader, A64ByteTitleMakesA70ByteChunk) {
    const std::string title(64, 'T');
    const auto bytes = header("0300", cw::makeMfiTexts(title + "xyz", ""));
    Golden g;
    g.text("melo").be32(38 + 70 - 8).be16(28 + 70).raw({0x02, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x00});
    g.text("titl").be16(64).text(title);
    g.text("vers").be16(4).text("0300");
    g.text("note").be16(2).raw({0x00, 0x01});
    EXPECT_EQ(bytes, g.bytes());
}

TEST(MfiHeader, SourceByteIsOneExactlyWhenACopyrightIsSet) {
    struct Case { const char* copyright; int sorc; bool copy; };
    const Case cases[] = {{"", 0, false}, {"(c) chime", 1, true}, {"\x07hidden", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copyright);
        const auto bytes = header("0300", cw::makeMfiTexts("", c.copyright));
        ASSERT_GE(bytes.size(), 20u);
        EXPECT_EQ(std::string(bytes.begin() + 13, bytes.begin() + 17), "sorc");
        EXPECT_EQ(bytes[19], c.sorc);
        const std::string text(bytes.begin(), bytes.end());
        EXPECT_EQ(text.find("copy") != std::string::npos, c.copy);
    }
}

TEST(MfiHeader, Version0400AddsExstAndAinfAroundTheCopyright) {
    const unsigned char g726Info[] = {1, 1, 0x81, 0, 6, 32, 16, 32, 32, 16, 32};
    suite::ByteImage image;
    cw::putMfiHeader(image,
                     {.dataType = 1, .trackCount = 1, .version = "0400", .audioInfo = g726Info},
                     cw::makeMfiTexts("t", "c"));
    Golden g;
    g.text("melo").be32(0).be16(28 + 8 + 17 + 7 + 7).raw({0x01, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x01});
    g.text("titl").be16(1).text("t");
    g.text("vers").be16(4).text("0400");
    g.text("note").be16(2).raw({0x00, 0x01});
    g.text("exst").be16(2).raw({0x00, 0x01});
    g.text("copy").be16(1).text("c");
    g.text("ainf").be16(11).raw({1, 1, 0x81, 0, 6, 32, 16, 32, 32, 16, 32});
    EXPECT_EQ(image.bytes(), g.bytes());
}

TEST(MfiEvents, RestsAndWaitsSplitLongCounts) {
    struct Case {
        const char* name;
        void (*put)(suite::ByteImage&, std::uint32_t);
        std::uint32_t ticks;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"254: none", cw::putRestsOf254, 0, {}},
        {"254: one", cw::putRestsOf254, 254, {254, 0xFF, 0xDE, 0}},
        {"254: 255", cw::putRestsOf254, 255, {254, 0xFF, 0xDE, 0, 1, 0xFF, 0xDE, 0}},
        {"254: 508", cw::putRestsOf254, 508, {254, 0xFF, 0xDE, 0, 254, 0xFF, 0xDE, 0}},
        {"255: none", cw::putRestsOf255, 0, {}},
        {"255: 256", cw::putRestsOf255, 256, {255, 0xFF, 0xDE, 0, 1, 0xFF, 0xDE, 0}},
        {"wait: 0", cw::putWait, 0, {0, 0xFF, 0xDC, 0}},
        {"wait: 200", cw::putWait, 200, {0xC8, 0xFF, 0xDC, 0x00}},
        {"wait: 65535", cw::putWait, 65535, {0xFF, 0xFF, 0xDC, 0xFF}},
        {"wait: 70000", cw::putWait, 70000, {0xFF, 0xFF, 0xDC, 0xFF, 0x71, 0xFF, 0xDC, 0x11}},
    };
    for (const Case& c : cases) {
        suite::ByteImage image;
        c.put(image, c.ticks);
        EXPECT_EQ(image.bytes(), c.bytes) << c.name;
    }
}

TEST(MfiEvents, VolumesRoundHalfUpWithinRange) {
    struct Case { double volume; int v127; int v63; };
    const Case cases[] = {
        {1.0, 127, 63}, {0.5, 64, 32}, {0.01, 1, 1}, {0.0, 0, 0}, {1.7, 127, 63}, {-0.2, 0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cw::volume127(c.volume), c.v127) << c.volume;
        EXPECT_EQ(cw::volume63(c.volume), c.v63) << c.volume;
    }
}
