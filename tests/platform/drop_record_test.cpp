// The drop record chimewright posts to tarnwick: the system's drop-files layout of one
// file, byte for byte.
#include "platform/foreign_windows.hpp"
#include "platform/text.hpp"

#include <gtest/gtest.h>

#include <vector>

TEST(DropFilesRecord, HeaderPointFlagsAndWideName) {
    const std::vector<unsigned char> record =
        platform::dropFilesRecord(platform::pathFromUtf8("Z:\\着.wav"), 300, -2);
    const std::vector<unsigned char> expected = {
        20, 0, 0, 0,                               // the file list's offset
        0x2C, 0x01, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,  // the point, 300 and -2
        1, 0, 0, 0,                                // non-client
        1, 0, 0, 0,                                // wide characters
        'Z', 0, ':', 0, '\\', 0, 0x40, 0x77, '.', 0, 'w', 0, 'a', 0, 'v', 0, // UTF-16
        0, 0, 0, 0};                               // the name's end, the list's end
    EXPECT_EQ(record, expected);
    EXPECT_EQ(record.size(), 2u * 8 + 24) << "2 x path length + 24";
}
