// A new handset is one more row: a copy of p211 under another key is written, budgeted and
// rendered for exactly as p211 is.
#include "chimewright/driver/intermediates.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "tests/chimewright/mfi/driver_fixture.hpp"
#include "tests/support/scratch.hpp"

#include <algorithm>
#include <string>
#include <vector>

using namespace mfi_test;
namespace opt = cw::option;

TEST_F(StepDriverTest, ACopiedRowIsAllANewHandsetNeeds) {
    std::vector<cw::TargetRow> rows(cw::targetTable.begin(), cw::targetTable.end());
    cw::TargetRow p212 = cw::targetRow(cw::targetP211);
    p212.key = "p212";
    p212.rowLabel = "p212";
    rows.push_back(p212);
    const int p212Index = cw::targetCount;

    const std::vector<int> order = cw::mfiWriteOrder(rows);
    const auto p211At = std::find(order.begin(), order.end(), cw::targetP211);
    ASSERT_NE(p211At, order.end());
    EXPECT_EQ(*(p211At + 1), p212Index); // written right after the row it copies

    const cw::TargetBlock unlimited =
        cw::makeTargetBlock(opt::create | opt::unlimited | opt::rate4k, 1.0, p212.largeBudget, 0);
    EXPECT_EQ(cw::mfiByteBudget(p212, unlimited, 123456), 65200u);
    EXPECT_TRUE(cw::intermediatesFor(p212, unlimited).narrow8k);

    putSources();
    enable(cw::targetP211, opt::rate8k);
    cw::TargetBlock copied = settings[cw::targetP211];
    copied.outputPath = out / p212.key / "bell.mld";
    ASSERT_EQ(cw::writeMfiTarget(cw::targetRow(cw::targetP211), settings[cw::targetP211], context()), 0);
    ASSERT_EQ(cw::writeMfiTarget(p212, copied, context()), 0);
    const std::string written = testing_support::fileBytes(outputOf(cw::targetP211));
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(testing_support::fileBytes(copied.outputPath), written);
}
