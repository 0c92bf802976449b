// The one-line trace log "__trace__.txt" that the program writes into its folder at start-up.
#pragma once

#include "platform/files.hpp"

#include <string>
#include <string_view>

namespace cw {

// The file's bytes for a trace path: "start -- " + path as UTF-16LE without a byte-order
// mark, then CR LF, with a CR added before every 0x0A byte as a text-mode stream adds it
// (including the bytes of characters such as U+300A and the line's own LF).
std::string traceBytes(std::string_view tracePath);

// Writes the log beside the program at modulePath. False when it cannot be written (the
// program goes on without it).
bool startTrace(const platform::Path& modulePath);

} // namespace cw
