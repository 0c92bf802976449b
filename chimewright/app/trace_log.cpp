#include "chimewright/app/trace_log.hpp"

#include "chimewright/app/user_text.hpp"
#include "platform/text.hpp"

namespace cw {

std::string traceBytes(std::string_view tracePath) {
    std::string raw;
    for (char16_t unit : toUtf16("start -- " + std::string(tracePath))) {
        raw.push_back(static_cast<char>(unit & 0xFF));
        raw.push_back(static_cast<char>(unit >> 8));
    }
    raw += "\r\n";
    std::string bytes;
    for (char byte : raw) {
        if (byte == '\n') bytes.push_back('\r');
        bytes.push_back(byte);
    }
    return bytes;
}

bool startTrace(const platform::Path& modulePath) {
    const platform::Path tracePath = modulePath.parent_path() / "__trace__.txt";
    const std::string bytes = traceBytes(platform::pathToUtf8(tracePath));
    return platform::writeWholeFile(tracePath, bytes.data(), bytes.size());
}

} // namespace cw
