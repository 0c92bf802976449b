#include "chimewright/app/result_messages.hpp"

#include "chimewright/job/result_codes.hpp"

#include <string_view>

namespace cw {

namespace {

struct MessageTexts {
    ResultMessage message;
    std::string_view format;  // one "%d" for the code
    std::string_view english; // our own translation, for the console program
};

// Which code shows which message is kept with the codes, in result_codes.hpp.
constexpr MessageTexts messages[] = {
    {ResultMessage::writeFailed, "ファイルの書き込みに失敗しました(%d)",
     "Could not write the file (%d)"},
    {ResultMessage::converterNotFound, "OrvaneToolが見つかりません(%d)",
     "OrvaneTool not found (%d)"},
    {ResultMessage::cannotOpen, "ファイルが開けません(%d)", "Cannot open the file (%d)"},
    {ResultMessage::readFailed, "ファイルの読み込みに失敗しました(%d)",
     "Could not read the file (%d)"},
    {ResultMessage::unsupportedFormat, "未対応のフォーマット(%d)", "Unsupported format (%d)"},
    {ResultMessage::converterNotStarted, "OrvaneToolが起動できません(%d)",
     "Cannot start OrvaneTool (%d)"},
    {ResultMessage::plainError, "Error:(%d)", "Error:(%d)"},
    {ResultMessage::outputNotCreated, "出力ファイルが作成できません(%d)",
     "Cannot create the output file (%d)"},
    {ResultMessage::tempNotOpened, "一時ファイルが開けません(%d)",
     "Cannot open a temporary file (%d)"},
    {ResultMessage::tempNotRead, "一時ファイルが読めません(%d)",
     "Cannot read a temporary file (%d)"},
    {ResultMessage::formatNotSupported, "未対応のフォーマットです(%d)",
     "This format is not supported (%d)"},
    {ResultMessage::outOfMemory, "メモリエラー(%d)", "Out of memory (%d)"},
    {ResultMessage::titleTooLong, "タイトルが長すぎます(%d)", "The title is too long (%d)"},
    {ResultMessage::formatError, "フォーマットエラー(%d)", "Format error (%d)"},
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
    const ResultMessage message = resultMessageOf(code);
    for (const MessageTexts& m : messages)
        if (m.message == message) return withCode(english ? m.english : m.format, code);
    return withCode(fallback, code);
}

std::string messageText(std::string_view text, Language language) {
    if (language == Language::english)
        for (const MessagePair& pair : batchMessages)
            if (pair.japanese == text) return std::string(pair.english);
    return std::string(text);
}

} // namespace cw
