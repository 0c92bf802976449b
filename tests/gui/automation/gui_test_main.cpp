// The main of every GUI suite: without a display to show windows on, the suite is skipped
// (exit code 77, which CTest reports as skipped) instead of failing on the first window.
#include "tests/gui/automation/environment.hpp"

#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!gui_test::displayAvailable()) {
        std::printf("no display (DISPLAY is not set): GUI tests skipped\n");
        return 77;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
