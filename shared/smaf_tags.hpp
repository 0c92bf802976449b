// Values of the option-text tags of a SMAF contents-info chunk ("ST:title," ...). Inside a
// value a comma is written as backslash-comma and a backslash as two backslashes, so a reader
// splits the text at every comma that no backslash precedes.
#pragma once

#include <string>
#include <string_view>

namespace suite {

enum class SmafTagBytes {
    single,     // every byte on its own
    doubleByte, // a code-page-932 lead byte and the byte after it are copied unchanged
};

// The escaped value, without the tag name and without the closing comma.
std::string escapeSmafTagValue(std::string_view value, SmafTagBytes bytes);

} // namespace suite
