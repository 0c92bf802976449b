#include "shared/byte_image.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using suite::ByteImage;

namespace {

struct ImageCase {
    std::string name;
    std::function<void(ByteImage&)> write;
    std::vector<unsigned char> bytes;
};

} // namespace

TEST(ByteImage, WritesEachFormOfValue) {
    const ImageCase cases[] = {
        {"byte, list, text",
         [](ByteImage& b) {
             b.put(0x01);
             b.put({0x02, 0x03});
             b.put("Ab");
         },
         {0x01, 0x02, 0x03, 'A', 'b'}},
        {"big-endian",
         [](ByteImage& b) {
             b.putBe16(0x0102);
             b.putBe24(0x030405);
             b.putBe32(0x06070809);
         },
         {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"little-endian",
         [](ByteImage& b) {
             b.putLe16(0x0102);
             b.putLe24(0x030405);
             b.putLe32(0x06070809);
         },
         {2, 1, 5, 4, 3, 9, 8, 7, 6}},
        {"reserved, then patched",
         [](ByteImage& b) {
             const std::size_t at = b.reserve(4);
             b.put(0xEE);
             b.patchBe16(at, 0x0102);
             b.patchLe16(at + 2, 0x0304);
         },
         {1, 2, 4, 3, 0xEE}},
        {"reserved, left zero", [](ByteImage& b) { b.reserve(3); }, {0, 0, 0}},
        {"chunk counts what follows its size",
         [](ByteImage& b) {
             const std::size_t at = b.openChunk("Abcd");
             b.put({7, 7, 7});
             b.closeChunk(at);
         },
         {'A', 'b', 'c', 'd', 0, 0, 0, 3, 7, 7, 7}},
        {"numbered chunk inside a chunk",
         [](ByteImage& b) {
             const std::size_t outer = b.openChunk("OUTR");
             const std::size_t inner = b.openChunk("ATR", 5);
             b.closeChunk(inner);
             b.put(9);
             b.closeChunk(outer);
         },
         {'O', 'U', 'T', 'R', 0, 0, 0, 9, 'A', 'T', 'R', 5, 0, 0, 0, 0, 9}},
    };
    for (const ImageCase& c : cases) {
        ByteImage image;
        c.write(image);
        EXPECT_EQ(image.bytes(), c.bytes) << c.name;
        EXPECT_EQ(image.size(), c.bytes.size()) << c.name;
        EXPECT_EQ(image.take(), c.bytes) << c.name;
    }
}
