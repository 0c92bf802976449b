// Result codes as the file list shows them, and the texts of the batch's messages, with
// English translations for the console program.
#pragma once

#include <string>
#include <string_view>

namespace cw {

// The window always shows the Japanese texts; the console program follows its user.
enum class Language { japanese, english };

// The text of a row's result field: "◎" for success, else the code's message with the code
// in it ("(%d):Error" for codes without a message of their own). In English "OK" and the
// translated message.
std::string showResult(int code, Language language = Language::japanese);

// One of the message texts below in the language (other texts come back as they are).
std::string messageText(std::string_view text, Language language);

namespace message {
inline constexpr const char* caption = "Chimewright";
inline constexpr const char* retryCaption = "CHIMEWRIGHT";
inline constexpr const char* dropFiles = "wavファイルをドロップしてください";
inline constexpr const char* chooseFolder = "選択したフォルダ内にサブフォルダを作成します";
inline constexpr const char* retryQuestion =
    "変換は終了しましたが、変換エラーとなったファイルがあります。\r\nエラーファイルのみリトライしますか？";
inline constexpr const char* allSucceeded = "変換は全て成功しました";
} // namespace message

} // namespace cw
