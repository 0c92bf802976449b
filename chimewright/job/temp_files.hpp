// The working folder's temporary files and the output files of a conversion.
#pragma once

#include "platform/files.hpp"

#include <span>
#include <string_view>

namespace cw {

using platform::Path;

// working folder + name; a leading separator of the name is dropped.
Path tempPath(const Path& workFolder, std::string_view name);

// Creates or truncates a file for writing, creating every missing folder of its path first
// when the path was not found. The result is not open when that fails.
platform::File createOutputFile(const Path& path);

// Creates the file (and its folders) and writes it in one piece. A file that could not be
// written completely is removed, so no output is ever left half written. False on failure.
bool writeOutputFile(const Path& path, std::span<const unsigned char> bytes);

// Copies a temporary file of the working folder to dest in 4096-byte blocks.
// 0, 1024 (destination cannot be created) or 1025 (temporary file cannot be opened).
int copyTempFile(const Path& workFolder, std::string_view tempName, const Path& dest);

} // namespace cw
