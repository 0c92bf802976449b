// The main window's own texts. The batch's messages live with the batch
// (chimewright/app/result_messages.hpp).
#pragma once

namespace cw::gui::text {

inline constexpr const wchar_t* productName = L"CHIMEWRIGHT";
inline constexpr const wchar_t* version = L"2.35.0.2";
inline constexpr const wchar_t* titleFormat = L"%ls Ver.%ls";
inline constexpr const wchar_t* dropPrompt =
    L"    変換したいＷＡＶファイルをドロップしてください   ";
inline constexpr const wchar_t* listCaption = L"CHIMEWRIGHT";
inline constexpr const wchar_t* exportQuestion = L"ClipBoardへコピーします。\r\nよろしいですか？";
inline constexpr const wchar_t* importQuestion =
    L"ClipBoardからペーストします。\r\n現在のデータがクリアされますが、よろしいですか？";
inline constexpr const wchar_t* noData = L"データがありません。";
inline constexpr const wchar_t* messageCaption = L"Chimewright";
inline constexpr const wchar_t* helpPage = L"https://chimewright.example.org/";
inline constexpr const wchar_t* normalisationRow = L"Normalize";

} // namespace cw::gui::text
