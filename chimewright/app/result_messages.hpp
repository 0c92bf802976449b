// Result codes as the file list shows them, and the texts of the batch's messages.
#pragma once

#include <string>

namespace cw {

// The text of a row's result field: "◎" for success, else the code's message with the code
// in it ("(%d):Error" for codes without a message of their own).
std::string showResult(int code);

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
