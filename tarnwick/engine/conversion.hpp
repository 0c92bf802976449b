// One dropped file through the whole conversion: checks, the title dialog, encoding, the
// SMAF file beside the input, and the message that reports how it went.
#pragma once

#include "platform/files.hpp"
#include "tarnwick/engine/tarnwick_port.hpp"

#include <string_view>

namespace tarnwick {

enum class ConversionEnd { converted, cancelled, failed };

// Paths whose code-page-932 form has this many bytes or more are refused.
constexpr std::size_t maxPathBytes = 260;
// The title dialog's edits hold at most this many characters.
constexpr std::size_t maxDialogCharacters = 255;

// Every failure shows its message through the port and writes nothing; success writes
// NAME.mmf beside NAME.wav and shows the file's size. A cancelled title dialog ends without
// a message.
ConversionEnd convertDroppedFile(const platform::Path& path, TarnwickPort& port);

// True when the last four characters of a code-page-932 path are ".wav" in any case; a
// double-byte character counts as one character.
bool hasWavExtension(std::string_view ansiPath);

// At most `limit` characters of UTF-8 text.
std::string cutToCharacters(std::string_view utf8, std::size_t limit);

} // namespace tarnwick
