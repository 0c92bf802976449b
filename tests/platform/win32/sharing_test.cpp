// Windows sharing modes: who may open a file while another handle holds it. (POSIX systems
// have no such modes; there every open below succeeds.)
#ifdef _WIN32

#include "platform/files.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using testing_support::putFile;
using testing_support::ScratchFolder;

namespace {

enum class Access { read, write };

struct SharingCase {
    const char* name;
    Access heldAccess;
    unsigned heldShare;
    Access secondAccess;
    unsigned secondShare;
    bool secondOpens;
};

platform::File openWith(const platform::Path& path, Access access, unsigned share) {
    return access == Access::read ? platform::openForRead(path, share)
                                  : platform::createForWrite(path, share);
}

class FileSharing : public testing::TestWithParam<SharingCase> {};

TEST_P(FileSharing, SecondOpenRespectsBothHandles) {
    const SharingCase& c = GetParam();
    ScratchFolder dir;
    putFile(dir / "f.wav", "RIFF");
    platform::File held = openWith(dir / "f.wav", c.heldAccess, c.heldShare);
    ASSERT_TRUE(held.isOpen());
    platform::File second = openWith(dir / "f.wav", c.secondAccess, c.secondShare);
    EXPECT_EQ(second.isOpen(), c.secondOpens);
    if (!c.secondOpens) {
        EXPECT_EQ(second.error(), platform::OpenError::accessDenied);
    }
}

using platform::shareNone;
using platform::shareRead;
using platform::shareWrite;
constexpr unsigned shareBoth = shareRead | shareWrite;

INSTANTIATE_TEST_SUITE_P(
    Modes, FileSharing,
    testing::Values(
        // An input opened with read sharing: others may read it, nobody may rewrite it.
        SharingCase{"inputThenReader", Access::read, shareRead, Access::read, shareRead, true},
        SharingCase{"inputThenWriter", Access::read, shareRead, Access::write, shareBoth, false},
        // An output created with read and write sharing: a reader that shares writing and a
        // second writer get in; a reader that refuses to share writing does not.
        SharingCase{"outputThenSharingReader", Access::write, shareBoth, Access::read, shareBoth,
                    true},
        SharingCase{"outputThenStrictReader", Access::write, shareBoth, Access::read, shareRead,
                    false},
        SharingCase{"outputThenWriter", Access::write, shareBoth, Access::write, shareBoth, true},
        SharingCase{"exclusiveThenReader", Access::read, shareNone, Access::read, shareBoth,
                    false}),
    [](const testing::TestParamInfo<SharingCase>& info) { return std::string(info.param.name); });

TEST(FileSharingDelete, FileHeldOpenCannotBeDeleted) {
    ScratchFolder dir;
    putFile(dir / "_cwmtmp.mmf", "MMMD");
    platform::File held = platform::openForRead(dir / "_cwmtmp.mmf", shareRead);
    ASSERT_TRUE(held.isOpen());
    EXPECT_FALSE(platform::deleteFile(dir / "_cwmtmp.mmf"));
    held.close();
    EXPECT_TRUE(platform::deleteFile(dir / "_cwmtmp.mmf"));
}

TEST(Win32Folders, DriveRootCountsAsExistingFolder) {
    const platform::Path module = platform::modulePath();
    ASSERT_FALSE(module.empty());
    EXPECT_TRUE(platform::createFolder(module.root_path()));
}

} // namespace

#endif // _WIN32
