#include "chimewright/job/result_codes.hpp"

#include "chimewright/app/result_messages.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

namespace {

// The codes that show "(%d):Error" because they have no message of their own: the job's
// internal "no SMAF route", tarnwick's late failures, the empty 16 kHz SMAF source and the
// 9200 group of the MFi writers.
constexpr int deliberateFallbacks[] = {1,    1032, 1033, 1035, 1036, 1050, 9201,
                                       9202, 9204, 9205, 9206, 9209, 9210, 9211};

bool fallsBackOnPurpose(int code) {
    return std::ranges::find(deliberateFallbacks, code) != std::end(deliberateFallbacks);
}

struct MessageFormat {
    cw::ResultMessage message;
    std::string_view format;
};

constexpr MessageFormat formats[] = {
    {cw::ResultMessage::writeFailed, "ファイルの書き込みに失敗しました(%d)"},
    {cw::ResultMessage::converterNotFound, "OrvaneToolが見つかりません(%d)"},
    {cw::ResultMessage::cannotOpen, "ファイルが開けません(%d)"},
    {cw::ResultMessage::readFailed, "ファイルの読み込みに失敗しました(%d)"},
    {cw::ResultMessage::unsupportedFormat, "未対応のフォーマット(%d)"},
    {cw::ResultMessage::converterNotStarted, "OrvaneToolが起動できません(%d)"},
    {cw::ResultMessage::plainError, "Error:(%d)"},
    {cw::ResultMessage::outputNotCreated, "出力ファイルが作成できません(%d)"},
    {cw::ResultMessage::tempNotOpened, "一時ファイルが開けません(%d)"},
    {cw::ResultMessage::tempNotRead, "一時ファイルが読めません(%d)"},
    {cw::ResultMessage::formatNotSupported, "未対応のフォーマットです(%d)"},
    {cw::ResultMessage::outOfMemory, "メモリエラー(%d)"},
    {cw::ResultMessage::titleTooLong, "タイトルが長すぎます(%d)"},
    {cw::ResultMessage::formatError, "フォーマットエラー(%d)"},
    {cw::ResultMessage::none, "(%d):Error"},
};

std::string expectedText(cw::ResultMessage message, int code) {
    for (const MessageFormat& f : formats)
        if (f.message == message) {
            std::string text(f.format);
            return text.replace(text.find("%d"), 2, std::to_string(code));
        }
    return "no format for this message";
}

} // namespace

TEST(ResultCodes, EveryCodeHasItsMessageOrFallsBackOnPurpose) {
    for (const cw::ResultCode& known : cw::resultCodes) {
        if (fallsBackOnPurpose(known.code))
            EXPECT_EQ(known.message, cw::ResultMessage::none) << known.code;
        else
            EXPECT_NE(known.message, cw::ResultMessage::none)
                << known.code << " has no message and is not listed as falling back";
    }
    for (int code : deliberateFallbacks)
        EXPECT_TRUE(std::ranges::any_of(cw::resultCodes,
                                        [code](const cw::ResultCode& k) { return k == code; }))
            << code << " is listed as falling back but is not registered";
}

TEST(ResultCodes, ShowResultGivesTheTextOfTheCodesMessage) {
    for (const cw::ResultCode& known : cw::resultCodes)
        EXPECT_EQ(cw::showResult(known.code), expectedText(known.message, known.code))
            << known.code;
    // Every message is shown by some code: no text is left without one.
    for (const MessageFormat& f : formats)
        EXPECT_TRUE(std::ranges::any_of(cw::resultCodes, [&](const cw::ResultCode& k) {
            return k.message == f.message;
        })) << f.format;
}

// A number that two steps return under two names (1007, 1025, 2013, 7003, 7004) shows one text.
TEST(ResultCodes, ANumberSharedByTwoNamesHasOneMessage) {
    std::map<int, cw::ResultMessage> messageOf;
    for (const cw::ResultCode& known : cw::resultCodes) {
        const auto [first, added] = messageOf.emplace(known.code, known.message);
        EXPECT_EQ(first->second, known.message) << known.code;
    }
    EXPECT_EQ(messageOf.size() + 5, std::size(cw::resultCodes))
        << "1007, 1025, 2013, 7003 and 7004 under two names each";
}
