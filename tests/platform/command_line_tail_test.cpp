// What a window program's entry receives of its command line.
#include "platform/command_line.hpp"

#include <gtest/gtest.h>

TEST(ArgumentsAfterProgramName, CutsTheNameAndTheBlanksAfterIt) {
    struct Case {
        const char* line;
        const char* arguments;
    };
    const Case cases[] = {
        {"", ""},
        {"voxreel.exe", ""},
        {"voxreel.exe bell.mld", "bell.mld"},
        {"voxreel.exe \t \"my bell.mld\" ", "\"my bell.mld\" "},
        {"\"C:\\Program Files\\voxreel.exe\" a b", "a b"},
        {"\"C:\\My Tools\\vox\"reel.exe a", "a"},
        {"\"unclosed name", ""},
        // Code page 932: "着信.mld"; its bytes from 0x80 up are no blanks.
        {"voxreel.exe \x92\x85\x90\x4d.mld", "\x92\x85\x90\x4d.mld"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(platform::argumentsAfterProgramName(c.line), c.arguments);
    }
}
