#include "chimewright/app/trace_log.hpp"
#include "platform/text.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

// UTF-16LE bytes of ASCII text.
std::string wide(const std::string& ascii) {
    std::string out;
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

} // namespace

TEST(TraceLog, LineIsUtf16WithTextModeLineEnd) {
    EXPECT_EQ(cw::traceBytes("C:\\cw\\__trace__.txt"),
              wide("start -- C:\\cw\\__trace__.txt") + "\r\r\n");
}

TEST(TraceLog, EveryLineFeedByteGetsACarriageReturn) {
    // U+300A is the byte pair 0A 30, U+010A the pair 0A 01.
    EXPECT_EQ(cw::traceBytes("\xE3\x80\x8A\xC4\x8A"),
              wide("start -- ") + "\r\n\x30\r\n\x01"s + "\r\r\n");
}

TEST(TraceLog, IsWrittenBesideTheProgram) {
    testing_support::ScratchFolder folder;
    ASSERT_TRUE(cw::startTrace(folder / "chimewright.exe"));
    const platform::Path trace = folder / "__trace__.txt";
    EXPECT_EQ(testing_support::fileBytes(trace), cw::traceBytes(platform::pathToUtf8(trace)));
    // Created anew each time.
    ASSERT_TRUE(cw::startTrace(folder / "chimewright.exe"));
    EXPECT_EQ(testing_support::fileBytes(trace), cw::traceBytes(platform::pathToUtf8(trace)));
}
