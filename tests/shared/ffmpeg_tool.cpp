#include "tests/shared/ffmpeg_tool.hpp"

#include <cstdlib>

namespace codec_test {

namespace {

#ifdef _WIN32
constexpr const char* discardOutput = " >NUL 2>&1";
#else
constexpr const char* discardOutput = " >/dev/null 2>&1";
#endif

} // namespace

bool ffmpegAvailable() {
#ifdef _WIN32
    // The Windows build runs under Wine, where the Linux tool cannot be started.
    return false;
#else
    static const bool available = std::system((std::string("ffmpeg -version") + discardOutput).c_str()) == 0;
    return available;
#endif
}

bool runFfmpeg(const std::string& arguments) {
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + discardOutput;
    return std::system(command.c_str()) == 0;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

} // namespace codec_test
