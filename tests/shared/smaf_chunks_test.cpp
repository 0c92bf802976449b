#include "shared/smaf_chunks.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// "MMMD" file header, then "CNTI" (2-byte body), "ATR\0" (3-byte body), "OPDA" (empty).
const Bytes file = {'M', 'M', 'M', 'D',  0,    0,   0,   27,  'C', 'N', 'T', 'I', 0,
                    0,   0,   2,   0xA1, 0xA2, 'A', 'T', 'R', 0,   0,   0,   0,   3,
                    1,   2,   3,   'O',  'P',  'D', 'A', 0,   0,   0,   0};

std::vector<std::string> ids(const std::vector<suite::SmafChunk>& chunks) {
    std::vector<std::string> result;
    for (const auto& c : chunks)
        result.emplace_back(c.whole.begin(), c.whole.begin() + 4);
    return result;
}

} // namespace

TEST(SmafChunks, WalksUpToTheFirstChunkThatDoesNotFit) {
    struct Case {
        const char* name;
        std::size_t keep; // bytes of `file` walked
        std::vector<std::string> ids;
    };
    const Case cases[] = {
        {"whole file", file.size(), {"CNTI", std::string("ATR\0", 4), "OPDA"}},
        {"last header cut", file.size() - 1, {"CNTI", std::string("ATR\0", 4)}},
        {"a body one byte short", 28, {"CNTI"}},
        {"header alone of the first", 16, {}},
        {"less than a header", 12, {}},
        {"start past the end", 4, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ids(suite::smafChunks(std::span(file).first(c.keep), 8)), c.ids) << c.name;
}

TEST(SmafChunks, GivesOffsetsAndBodiesInTheWalkedBytes) {
    const auto track = suite::findSmafChunk(file, 8, "ATR");
    ASSERT_TRUE(track);
    EXPECT_EQ(track->offset, 18u);
    EXPECT_EQ(track->end(), 29u);
    EXPECT_EQ(Bytes(track->body().begin(), track->body().end()), Bytes({1, 2, 3}));
    EXPECT_FALSE(suite::findSmafChunk(file, 8, "MTR"));
}

TEST(SmafChunks, SizeNearTheLimitOfItsFieldDoesNotWrap) {
    Bytes huge = {'A', 'w', 'a', 1, 0xFF, 0xFF, 0xFF, 0xF9, 0};
    EXPECT_FALSE(suite::smafChunkAt(huge, 0));
    EXPECT_FALSE(suite::smafChunkAt(huge, 1000));
}
