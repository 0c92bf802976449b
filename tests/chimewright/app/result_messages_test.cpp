#include "chimewright/app/result_messages.hpp"

#include <gtest/gtest.h>

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
