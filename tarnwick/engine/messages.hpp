// The texts of tarnwick's message dialog, in English and Japanese.
#pragma once

#include <cstddef>
#include <string>

namespace tarnwick {

enum class MessageId : int {
    cannotOpen = 1,
    notWavExtension = 2,
    invalidHeader = 3,
    unsupportedFormat = 4,
    cannotSave = 5,
    fileSize = 6,
    pathTooLong = 10,
    tooShort = 11,
};

enum class Language { english, japanese };

// UTF-8 text of a message as the string table holds it.
const char* messageText(MessageId id, Language language);

// The success message: its text, then the size in KiB with two decimals and "KB", as in
// "SMAF File Size : 12.50KB" for 12800 bytes.
std::string fileSizeMessage(std::size_t bytes, Language language);

} // namespace tarnwick
