#include "chimewright/app/result_messages.hpp"

#include <initializer_list>
#include <string_view>

namespace cw {

namespace {

struct MessageCodes {
    std::string_view format; // one "%d" for the code
    std::initializer_list<int> codes;
};

const MessageCodes messages[] = {
    {"ファイルの書き込みに失敗しました(%d)",
     {1001, 1003, 1004, 2001, 2012, 2013, 3014, 4012, 4013, 4015}},
    {"OrvaneToolが見つかりません(%d)", {1002}},
    {"ファイルが開けません(%d)",
     {1005, 5000, 6000, 7000, 7003, 7006, 9000, 9100, 9106, 9300, 9302, 9304}},
    {"ファイルの読み込みに失敗しました(%d)",
     {1006, 1008, 1009, 1011, 1012, 1014, 1015, 1016, 1017, 1018, 2004, 2005, 2006, 2007,
      2008, 2009, 2010, 2011, 3001, 3002, 3005, 4001, 4002, 4005, 4008, 4009, 4010, 4011}},
    {"未対応のフォーマット(%d)", {1007, 1010, 1013}},
    {"OrvaneToolが起動できません(%d)", {1019}},
    {"Error:(%d)",
     {1020, 1021, 1022, 1023, 2000, 3000, 3006, 3007, 3008, 3009, 4000, 8000, 8001, 8002,
      8003}},
    {"出力ファイルが作成できません(%d)",
     {1024, 1025, 5003, 6001, 6003, 7001, 7004, 7007, 9001, 9101, 9104, 9107, 9301, 9303,
      9305}},
    {"一時ファイルが開けません(%d)", {1026}},
    {"一時ファイルが読めません(%d)", {1027}},
    {"未対応のフォーマットです(%d)", {2002, 2016}},
    {"メモリエラー(%d)",
     {2003, 2014, 2015, 3003, 3004, 3010, 3011, 3012, 3013, 4003, 4004, 4006, 4007}},
    {"タイトルが長すぎます(%d)", {4014, 6002, 7002, 7005, 7008, 9002, 9102, 9105, 9108}},
    {"フォーマットエラー(%d)", {5001, 5002}},
};

constexpr std::string_view fallback = "(%d):Error";

std::string withCode(std::string_view format, int code) {
    const std::size_t at = format.find("%d");
    return std::string(format.substr(0, at)) + std::to_string(code) +
           std::string(format.substr(at + 2));
}

} // namespace

std::string showResult(int code) {
    if (code == 0) return "◎";
    for (const MessageCodes& m : messages)
        for (int listed : m.codes)
            if (listed == code) return withCode(m.format, code);
    return withCode(fallback, code);
}

} // namespace cw
