#include "chimewright/mmfconv/contents_info_chunk.hpp"
#include "chimewright/mmfconv/optional_data_chunk.hpp"
#include "tests/chimewright/mmfconv/smaf_test_bytes.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace smaf_test;

namespace {

cw::smaf::ContentsInfoChunk parsedCnti(const Bytes& optionText,
                                       Bytes header = bytes({0, 1, 0, 0, 0})) {
    const Bytes image = chunk("CNTI", header + optionText);
    return cw::smaf::ContentsInfoChunk(image);
}

cw::smaf::OptionalDataChunk parsedOpda(const Bytes& body) {
    const Bytes image = chunk("OPDA", body);
    return cw::smaf::OptionalDataChunk(image);
}

Bytes field(std::string_view tag, std::string_view value) {
    return text(tag) + be16(static_cast<unsigned>(value.size())) + text(value);
}

Bytes dch(int codeType, const Bytes& fields) { return chunk(text("Dch") + bytes({codeType}), fields); }

} // namespace

TEST(CntiChunk, TagsEscapeCommaAndBackslash) {
    cw::smaf::ContentsInfoChunk cnti;
    cnti.setContentsInfo("a,b\\c", "me", false);
    EXPECT_EQ(written(cnti), chunk("CNTI", bytes({0x00, 0x01, 0x00, 0x01, 0x00}) +
                                               text("ST:a\\,b\\\\c,") + text("CR:me,")));
}

TEST(CntiChunk, TextsInOptionalDataLeaveThirteenBytes) {
    struct Case { const char* copyright; int copyStatus; };
    for (const Case c : {Case{"me", 1}, Case{nullptr, 0}}) {
        cw::smaf::ContentsInfoChunk cnti =
            parsedCnti(text("ST:old,"), bytes({0x05, 0x01, 0x02, 0x01, 0x07}));
        cnti.setContentsInfo("title", c.copyright, true);
        EXPECT_EQ(written(cnti), chunk("CNTI", bytes({0x00, 0x32, 0x00, c.copyStatus, 0x00})));
    }
}

TEST(CntiChunk, NullCopyrightGivesNoTagAndCopyStatusZero) {
    cw::smaf::ContentsInfoChunk cnti;
    cnti.setContentsInfo("t", nullptr, false);
    EXPECT_EQ(written(cnti), chunk("CNTI", bytes({0x00, 0x01, 0x00, 0x00, 0x00}) + text("ST:t,")));
}

TEST(CntiChunk, LongTitleIsCutWithoutSplittingAnEscape) {
    cw::smaf::ContentsInfoChunk plain;
    plain.setContentsInfo(std::string(300, 'x').c_str(), nullptr, false);
    EXPECT_EQ(plain.titleTag, "ST:" + std::string(251, 'x') + ",");

    // 251 bytes of room take 125 escaped commas; half a pair would turn the closing comma
    // into an escaped one.
    cw::smaf::ContentsInfoChunk commas;
    commas.setContentsInfo(std::string(200, ',').c_str(), nullptr, false);
    std::string expected = "ST:";
    for (int i = 0; i < 125; ++i) expected += "\\,";
    EXPECT_EQ(commas.titleTag, expected + ",");
    const Bytes image = written(commas);
    EXPECT_EQ(cw::smaf::ContentsInfoChunk(image).tags.size(), 1u);
}

TEST(CntiChunk, ParsedChunkSplitsTagsAndWritesBackWhatItRead) {
    const Bytes option = text("M2:") + bytes({0}) + text(",ST:a\\,b,CR:x,A0:YW12AB,A2:YW12CD,");
    const Bytes header = bytes({0x00, 0x01, 0x00, 0x01, 0x00});
    cw::smaf::ContentsInfoChunk cnti = parsedCnti(option, header);
    const std::vector<std::string> expected = {std::string("M2:\0,", 5), "ST:a\\,b,", "CR:x,",
                                               "A0:YW12AB,", "A2:YW12CD,"};
    EXPECT_EQ(cnti.tags, expected);
    EXPECT_EQ(written(cnti), chunk("CNTI", header + option));
}

TEST(OpdaChunk, TextsGoToTheFirstWrittenGroupAndLeaveTheOthers) {
    const Bytes body = dch(0xFF, field("ST", "old") + field("CR", "old") + field("XX", "1")) +
                       dch(0x00, field("YY", "2") + field("ST", "old") + field("ST", "older"));
    cw::smaf::OptionalDataChunk opda = parsedOpda(body);
    opda.setTexts("T", "C");

    ASSERT_EQ(opda.groups.size(), 2u);
    EXPECT_FALSE(opda.groups[0]->hasTitle);
    EXPECT_FALSE(opda.groups[0]->hasCopyright);
    EXPECT_EQ(opda.groups[0]->fields.size(), 1u);
    // Only the group of code type 0 is written: its first "ST" replaced, the new one first.
    EXPECT_EQ(written(opda), chunk("OPDA", dch(0x00, field("ST", "T") + field("YY", "2") +
                                                         field("ST", "older") + field("CR", "C"))));
}

TEST(OpdaChunk, WithoutAWrittenGroupANewOneComesFirst) {
    cw::smaf::OptionalDataChunk opda = parsedOpda(dch(0x80, field("XX", "1")));
    opda.setTexts(nullptr, "C");
    EXPECT_EQ(written(opda), chunk("OPDA", dch(0x00, field("CR", "C"))));
}

TEST(OpdaChunk, NoTextsNoChange) {
    cw::smaf::OptionalDataChunk fresh;
    fresh.setTexts(nullptr, nullptr);
    EXPECT_EQ(written(fresh), text("OPDA") + be32(0));
}

TEST(OpdaChunk, TitleOf252BytesFitsOneField) {
    cw::smaf::OptionalDataChunk opda;
    opda.setTexts(std::string(252, 't').c_str(), nullptr);
    ASSERT_EQ(opda.groups.size(), 1u);
    ASSERT_EQ(opda.groups[0]->fields.size(), 1u);
    EXPECT_EQ(opda.groups[0]->fields[0]->size(), 256);
    EXPECT_EQ(written(opda), chunk("OPDA", dch(0x00, field("ST", std::string(252, 't')))));
}

TEST(OpdaChunk, BodyThatIsNotDataChunksIsKept) {
    const Bytes body = dch(0x00, field("ST", "t")) + text("VN:Lavf,");
    cw::smaf::OptionalDataChunk opda = parsedOpda(body);
    EXPECT_EQ(opda.groups.size(), 1u);
    EXPECT_EQ(written(opda), chunk("OPDA", body));
}

TEST(OpdaChunk, FieldRunningPastItsGroupEndsTheGroup) {
    const Bytes group = dch(0x00, field("ST", "t") + text("CR") + be16(9) + text("x"));
    cw::smaf::OptionalDataChunk opda = parsedOpda(group);
    ASSERT_EQ(opda.groups.size(), 1u);
    EXPECT_EQ(opda.groups[0]->fields.size(), 1u);
    EXPECT_FALSE(opda.groups[0]->hasCopyright);
}
