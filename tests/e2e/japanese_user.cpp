// The console programs print their texts in the user's language. The whole-program tests run
// as a Japanese user unless a test sets another locale, so that the texts they check are the
// originals (Windows takes the language of its user interface instead, which the prefix of
// the test runs makes Japanese).
#include "tests/e2e/program_runner.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

class JapaneseUser : public ::testing::Environment {
  public:
    void SetUp() override {
        lcAll_ = std::make_unique<e2e::ScopedEnvironment>("LC_ALL", "ja_JP.UTF-8");
    }
    void TearDown() override { lcAll_.reset(); }

  private:
    std::unique_ptr<e2e::ScopedEnvironment> lcAll_;
};

[[maybe_unused]] ::testing::Environment* const japaneseUser =
    ::testing::AddGlobalTestEnvironment(new JapaneseUser);

} // namespace
