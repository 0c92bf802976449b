#include "chimewright/app/result_messages.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

TEST(ShowResult, EveryCodeHasAText) {
    struct Case { int code; const char* text; };
    const Case cases[] = {
        {0, "◎"},
        {1005, "ファイルが開けません(1005)"},
        {1007, "未対応のフォーマット(1007)"},
        {1013, "未対応のフォーマット(1013)"},
        {2002, "未対応のフォーマットです(2002)"},
        {1024, "出力ファイルが作成できません(1024)"},
        {3008, "Error:(3008)"},
        {9108, "タイトルが長すぎます(9108)"},
        {1002, "OrvaneToolが見つかりません(1002)"},
        {4015, "ファイルの書き込みに失敗しました(4015)"},
        {1027, "一時ファイルが読めません(1027)"},
        {5002, "フォーマットエラー(5002)"},
        {4007, "メモリエラー(4007)"},
        {1032, "(1032):Error"},
        {1050, "(1050):Error"},
        {9200, "(9200):Error"},
        {1, "(1):Error"},
        {-3, "(-3):Error"},
    };
    for (const Case& c : cases) EXPECT_EQ(cw::showResult(c.code), c.text) << c.code;
}

namespace {

bool isAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

// Each Japanese text has its English one: every code keeps its number, and a code shares its
// English text exactly with the codes that share its Japanese text.
TEST(ShowResult, EnglishTextsPairWithTheJapaneseOnes) {
    EXPECT_EQ(cw::showResult(0, cw::Language::english), "OK");
    EXPECT_EQ(cw::showResult(1007, cw::Language::english), "Unsupported format (1007)");
    EXPECT_EQ(cw::showResult(1032, cw::Language::english), "(1032):Error");
    std::map<std::string, std::string> englishOf; // Japanese text without its code -> English
    for (int code = -1; code < 10000; ++code) {
        const std::string number = std::to_string(code);
        std::string japanese = cw::showResult(code);
        std::string english = cw::showResult(code, cw::Language::english);
        ASSERT_TRUE(isAscii(english)) << code << " " << english;
        if (code == 0) continue;
        ASSERT_NE(english.find(number), std::string::npos) << code << " " << english;
        japanese.erase(japanese.find(number), number.size());
        english.erase(english.find(number), number.size());
        const auto [known, added] = englishOf.emplace(japanese, english);
        EXPECT_EQ(known->second, english) << code;
    }
    EXPECT_EQ(englishOf.size(), 15u) << "fourteen messages and the fallback";
}

TEST(MessageText, BatchMessagesInEnglishAndAsTheyStand) {
    for (const char* text : {cw::message::dropFiles, cw::message::chooseFolder,
                             cw::message::retryQuestion, cw::message::allSucceeded}) {
        EXPECT_EQ(cw::messageText(text, cw::Language::japanese), text);
        const std::string english = cw::messageText(text, cw::Language::english);
        EXPECT_TRUE(isAscii(english) && !english.empty()) << text;
    }
    EXPECT_NE(cw::messageText(cw::message::retryQuestion, cw::Language::english).find("\r\n"),
              std::string::npos);
    EXPECT_EQ(cw::messageText("other text", cw::Language::english), "other text");
}
