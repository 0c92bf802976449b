#include "tarnwick/engine/messages.hpp"

#include <charconv>

namespace tarnwick {

namespace {

struct MessageTexts {
    MessageId id;
    const char* english;
    const char* japanese;
};

constexpr MessageTexts messageTable[] = {
    {MessageId::cannotOpen, "Cannot open WAVE file", "WAVEファイルを開けません"},
    {MessageId::notWavExtension, "Extension is not \".wav\"", "拡張子が\".wav\"ではありません"},
    {MessageId::invalidHeader, "Invalid WAVE file header", "WAVEファイルのヘッダが不正です"},
    {MessageId::unsupportedFormat, "WAVE format not supported", "対応しないWAVEフォーマットです"},
    {MessageId::cannotSave, "Cannot save SMAF file", "SMAFファイルを保存できません"},
    {MessageId::fileSize, "SMAF File Size : ", "SMAFファイルサイズ : "},
    {MessageId::pathTooLong, "Filename length exceeds limit", "ファイル名が長すぎます"},
    {MessageId::tooShort, "Inadequate WAVE file playtime", "WAVEの再生時間が短すぎます"},
};

} // namespace

const char* messageText(MessageId id, Language language) {
    for (const MessageTexts& texts : messageTable)
        if (texts.id == id) return language == Language::japanese ? texts.japanese : texts.english;
    return "";
}

std::string fileSizeMessage(std::size_t bytes, Language language) {
    // Not printf: a locale with a decimal comma must not change the text.
    char number[64];
    const auto result = std::to_chars(number, number + sizeof number,
                                      static_cast<double>(bytes) / 1024.0,
                                      std::chars_format::fixed, 2);
    return std::string(messageText(MessageId::fileSize, language)) +
           std::string(number, result.ptr) + "KB";
}

} // namespace tarnwick
