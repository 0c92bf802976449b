// tarnwick's window program driven as a user would drive it: started minimised, the file
// dropped on its main window, the title dialog filled in and confirmed, the message dialog
// answered with Power. The Windows route of runTarnwick.
#pragma once

#include "platform/files.hpp"
#include "platform/foreign_windows.hpp"

#include <string>

namespace cw {

// How long each step waits for tarnwick.
struct TarnwickWindowTimes {
    int startCheckMs = 200;  // then an ended process is a second instance
    int inputIdleMs = 10000; // each wait for input idle
    int lookMs = 500;        // between looks for a dialog
    int titleLooks = 5;
    int messageLooks = 3;
    int exitPolls = 80;
    int exitPollMs = 250;
};

// 0 once tarnwick has ended after its message dialog; 1019 it cannot be started, 1020 not
// idle in time, 1021 no main window, 1022 a message dialog without Power, 1023 it does not
// end, 1032 no exit status right after the start, 1033 it ended at once (another tarnwick
// runs), 1035 no message dialog, 1036 no title dialog. On failure tarnwick is terminated.
int runTarnwickWindows(const platform::Path& executable, const platform::Path& workFolder,
                       const platform::Path& wavPath, const std::string& title, bool fourKHz,
                       const std::string& copyright,
                       platform::DropPlacement placement = platform::dropPlacementHere(),
                       const TarnwickWindowTimes& times = {});

} // namespace cw
