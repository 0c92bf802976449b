#include "voxreel/render/paged_wav_file.hpp"

#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <cstring>

using testing_support::ScratchFolder;
using testing_support::fileBytes;
using testing_support::putFile;
using voxreel::PagedWavFile;

TEST(PagedWavFile, CreatesOrEmptiesTheFile) {
    ScratchFolder folder;
    putFile(folder / "a.wav", "old contents");
    PagedWavFile file(folder / "a.wav");
    EXPECT_EQ(file.fileSize(), 0);
    EXPECT_EQ(fileBytes(folder / "a.wav"), "");
}

TEST(PagedWavFile, WindowsBeyondTheEndFillTheGapWithZeros) {
    ScratchFolder folder;
    PagedWavFile file(folder / "a.wav");
    unsigned char* window = file.lockRegion(10, 4);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(std::memcmp(window, "\0\0\0\0", 4), 0);
    std::memcpy(window, "WXYZ", 4);
    ASSERT_TRUE(file.flush());
    EXPECT_EQ(fileBytes(folder / "a.wav"), std::string(10, '\0') + "WXYZ");
    EXPECT_EQ(file.windowPosition(), 10);
    EXPECT_EQ(file.windowLength(), 4);
}

TEST(PagedWavFile, WindowsOverTheEndOverwriteThenAppend) {
    ScratchFolder folder;
    PagedWavFile file(folder / "a.wav");
    const unsigned char first[] = {'a', 'b', 'c', 'd', 'e', 'f'};
    ASSERT_TRUE(file.writeRegion(0, first, 6));

    unsigned char* window = file.lockRegion(4, 5);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(std::memcmp(window, "ef\0\0\0", 5), 0) << "file bytes, then zeros";
    std::memcpy(window, "EFGHI", 5);
    // Taking the next window writes this one back first.
    ASSERT_NE(file.lockRegion(0, 2), nullptr);
    EXPECT_EQ(fileBytes(folder / "a.wav"), "abcdEFGHI");
    EXPECT_EQ(file.fileSize(), 9);
}

TEST(PagedWavFile, RefusesBadRegionsAndTheSizeLimit) {
    ScratchFolder folder;
    PagedWavFile file(folder / "a.wav", 100);
    const unsigned char bytes[8] = {};
    EXPECT_FALSE(file.writeRegion(0, nullptr, 8));
    EXPECT_FALSE(file.writeRegion(-1, bytes, 8));
    EXPECT_FALSE(file.writeRegion(0, bytes, 0));
    EXPECT_FALSE(file.writeRegion(92, bytes, 8)) << "position + length reaches the limit";
    EXPECT_TRUE(file.writeRegion(91, bytes, 8));
    EXPECT_EQ(file.lockRegion(96, 8), nullptr) << "a window must stay within the limit";
    EXPECT_EQ(file.lockRegion(0, 0), nullptr);
    EXPECT_EQ(file.fileSize(), 99);
}

TEST(PagedWavFile, DestroyDeletesTheFile) {
    ScratchFolder folder;
    PagedWavFile file(folder / "a.wav");
    const unsigned char bytes[4] = {1, 2, 3, 4};
    ASSERT_TRUE(file.writeRegion(0, bytes, 4));
    file.destroy();
    EXPECT_FALSE(platform::fileExists(folder / "a.wav"));
    EXPECT_EQ(file.windowData(), nullptr);
}

TEST(PagedWavFile, LockNameIsTheCutFileNameWithASuffix) {
    EXPECT_EQ(PagedWavFile::lockName("_wmtmp07.wav"), "_wmtmp07.wav_FILEIO_MUTEX");
    const std::string longName(300, 'n');
    EXPECT_EQ(PagedWavFile::lockName(longName), std::string(244, 'n') + "_FILEIO_MUTEX");
}
