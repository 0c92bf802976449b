// The target table is the one list of targets: the window's rows, the console's names, the
// settings keys and the output folders all come from its rows.
#include "chimewright/app/settings_file.hpp"
#include "chimewright/cli/target_options.hpp"
#include "chimewright/job/target_table.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(TargetTable, EveryRowNamesItsWindowRowSettingsKeyAndFolder) {
    testing_support::ScratchFolder folder;
    const platform::Path file = folder / "ferrowind.ini";
    cw::SettingsState state;
    for (int t = 0; t < cw::targetCount; ++t) state.flags[static_cast<std::size_t>(t)] = 1000u + t;
    cw::saveSettings(state, file, "");
    const cw::SettingsState fresh;
    cw::SettingsState loaded = fresh;
    cw::loadSettings(loaded, file, "");

    std::set<int> turns;
    for (int t = 0; t < cw::targetCount; ++t) {
        const cw::TargetRow& row = cw::targetRow(t);
        SCOPED_TRACE(row.key);
        // The console takes the window's label or the settings key, in any case.
        EXPECT_EQ(cw::cli::targetByName(row.rowLabel), t);
        EXPECT_EQ(cw::cli::targetByName(row.key), t);
        EXPECT_EQ(loaded.flags[static_cast<std::size_t>(t)], 1000u + t);
        EXPECT_EQ(cw::targetOutputPath("D", t, "bell"),
                  platform::Path("D") / row.key / (std::string("bell") + row.extension));
        EXPECT_EQ(std::string(row.extension) == ".mld", cw::isMfiTarget(row));
        if (cw::isMfiTarget(row)) {
            EXPECT_TRUE(turns.insert(row.mfiTurn).second) << "turn shared";
            EXPECT_NE(row.codes.openFailed, 0);
            EXPECT_NE(row.codes.createFailed, 0);
            EXPECT_NE(row.codes.tooLarge, 0);
        }
    }
    EXPECT_EQ(turns.size(), 23u);
}
