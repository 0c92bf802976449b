// The console programs take file names from their command line; on Windows the ANSI argv
// cannot carry every name, so the arguments come from the Unicode command line.
#ifdef _WIN32

#include "platform/command_line.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// CTest runs this test with "--cw-argument" followed by a Japanese file name
// (tests/wine/CMakeLists.txt); a plain run of the program skips it.
TEST(Win32CommandLine, JapaneseArgumentArrivesAsUtf8) {
    const std::vector<std::string> arguments = platform::commandLineArguments(0, nullptr);
    ASSERT_FALSE(arguments.empty());
    auto marker = std::find(arguments.begin(), arguments.end(), "--cw-argument");
    if (marker == arguments.end() || marker + 1 == arguments.end())
        GTEST_SKIP() << "started without --cw-argument";
    EXPECT_EQ(marker[1], "\xE7\x9D\x80\xE4\xBF\xA1 bell.wav"); // "着信 bell.wav"
}

} // namespace

#endif // _WIN32
