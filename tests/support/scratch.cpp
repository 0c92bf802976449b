#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

namespace testing_support {

ScratchFolder::ScratchFolder() : path_(platform::makeScratchFolder("cwtest")) {
    EXPECT_FALSE(path_.empty()) << "no scratch folder";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string fileBytes(const platform::Path& path) {
    return platform::readWholeFile(path).value_or(std::string());
}

void putFile(const platform::Path& path, const std::string& bytes) {
    ASSERT_TRUE(platform::writeWholeFile(path, bytes.data(), bytes.size())) << path.string();
}

} // namespace testing_support
