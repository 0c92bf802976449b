#include "chimewright/app/result_messages.hpp"

#include <initializer_list>
#include <string_view>

namespace cw {

namespace {

struct MessageCodes {
    std::string_view format;  // one "%d" for the code
    std::string_view english; // our own translation, for the console program
    std::initializer_list<int> codes;
};

const MessageCodes messages[] = {
    {"ファイルの書き込みに失敗しました(%d)", "Could not write the file (%d)",
     {1001, 1003, 1004, 2001, 2012, 2013, 3014, 4012, 4013, 4015}},
    {"OrvaneToolが見つかりません(%d)", "OrvaneTool not found (%d)", {1002}},
    {"ファイルが開けません(%d)", "Cannot open the file (%d)",
     {1005, 5000, 6000, 7000, 7003, 7006, 9000, 9100, 9106, 9300, 9302, 9304}},
    {"ファイルの読み込みに失敗しました(%d)", "Could not read the file (%d)",
     {1006, 1008, 1009, 1011, 1012, 1014, 1015, 1016, 1017, 1018, 2004, 2005, 2006, 2007,
      2008, 2009, 2010, 2011, 3001, 3002, 3005, 4001, 4002, 4005, 4008, 4009, 4010, 4011}},
    {"未対応のフォーマット(%d)", "Unsupported format (%d)", {1007, 1010, 1013}},
    {"OrvaneToolが起動できません(%d)", "Cannot start OrvaneTool (%d)", {1019}},
    {"Error:(%d)", "Error:(%d)",
     {1020, 1021, 1022, 1023, 2000, 3000, 3006, 3007, 3008, 3009, 4000, 8000, 8001, 8002,
      8003}},
    {"出力ファイルが作成できません(%d)", "Cannot create the output file (%d)",
     {1024, 1025, 5003, 6001, 6003, 7001, 7004, 7007, 9001, 9101, 9104, 9107, 9301, 9303,
      9305}},
    {"一時ファイルが開けません(%d)", "Cannot open a temporary file (%d)", {1026}},
    {"一時ファイルが読めません(%d)", "Cannot read a temporary file (%d)", {1027}},
    {"未対応のフォーマットです(%d)", "This format is not supported (%d)", {2002, 2016}},
    {"メモリエラー(%d)", "Out of memory (%d)",
     {2003, 2014, 2015, 3003, 3004, 3010, 3011, 3012, 3013, 4003, 4004, 4006, 4007}},
    {"タイトルが長すぎます(%d)", "The title is too long (%d)",
     {4014, 6002, 7002, 7005, 7008, 9002, 9102, 9105, 9108}},
    {"フォーマットエラー(%d)", "Format error (%d)", {5001, 5002}},
};

constexpr std::string_view fallback = "(%d):Error";
constexpr std::string_view successEnglish = "OK";

struct MessagePair {
    std::string_view japanese;
    std::string_view english;
};

// The batch's messages beside their translations; the line break stays where it was.
constexpr MessagePair batchMessages[] = {
    {message::dropFiles, "Please drop WAV files"},
    {message::chooseFolder, "Subfolders are made inside the chosen folder"},
    {message::retryQuestion,
     "The conversion has ended, but some files could not be converted.\r\n"
     "Retry only the files that failed?"},
    {message::allSucceeded, "All files were converted"},
};

std::string withCode(std::string_view format, int code) {
    const std::size_t at = format.find("%d");
    return std::string(format.substr(0, at)) + std::to_string(code) +
           std::string(format.substr(at + 2));
}

} // namespace

std::string showResult(int code, Language language) {
    const bool english = language == Language::english;
    if (code == 0) return english ? std::string(successEnglish) : "◎";
    for (const MessageCodes& m : messages)
        for (int listed : m.codes)
            if (listed == code) return withCode(english ? m.english : m.format, code);
    return withCode(fallback, code);
}

std::string messageText(std::string_view text, Language language) {
    if (language == Language::english)
        for (const MessagePair& pair : batchMessages)
            if (pair.japanese == text) return std::string(pair.english);
    return std::string(text);
}

} // namespace cw
