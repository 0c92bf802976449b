#include "chimewright/driver/tarnwick_window_route.hpp"

#include "chimewright/job/result_codes.hpp"
#include "platform/process.hpp"

#include <chrono>
#include <thread>

namespace cw {

namespace {

// tarnwick's identifiers (its main window, title dialog and message dialog).
constexpr int idOk = 1;
constexpr int idTitleEdit = 1001;
constexpr int idCopyrightEdit = 1002;
constexpr int idProtectToggle = 1023;
constexpr int idRateToggle = 1024;
constexpr int idPower = 1015;
constexpr const char* dropControlPrefix = "Dropspace";

void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Looks for a dialog over `main` up to `looks` times, `lookMs` apart.
platform::WindowRef lookForDialog(const platform::ChildProcess& child, platform::WindowRef main,
                                  int looks, int lookMs) {
    for (int look = 0; look < looks; ++look) {
        pause(lookMs);
        if (auto dialog = platform::untitledWindowOwnedBy(child, main)) return dialog;
    }
    return platform::noWindow;
}

} // namespace

int runTarnwickWindows(const platform::Path& executable, const platform::Path& workFolder,
                       const platform::Path& wavPath, const std::string& title, bool fourKHz,
                       const std::string& copyright, platform::DropPlacement placement,
                       const TarnwickWindowTimes& times) {
    platform::ProcessStart how;
    how.program = executable; // started minimised
    how.currentFolder = workFolder;
    platform::ChildProcess child = platform::ChildProcess::start(how);
    if (!child.started()) return result::tarnwickNotStarted;
    // The child is terminated on every way out below: ChildProcess ends what still runs.

    if (child.waitForExit(times.startCheckMs))
        return child.exitStatus() ? result::tarnwickEndedAtOnce : result::tarnwickNoStatus;
    if (!child.waitForInputIdle(times.inputIdleMs)) return result::tarnwickNotIdle;

    const platform::WindowRef main = platform::firstTopLevelWindowOf(child);
    if (!main) return result::tarnwickNoWindow;
    platform::WindowRef dropTarget = platform::childWithTextPrefix(main, dropControlPrefix);
    if (!dropTarget) dropTarget = main;
    const platform::ScreenRect place = platform::windowRect(dropTarget);
    const auto record = platform::dropFilesRecord(wavPath, (place.left + place.right) / 2,
                                                  (place.top + place.bottom) / 2);
    platform::postFileDrop(child, main, record, placement);

    const platform::WindowRef titleDialog =
        lookForDialog(child, main, times.titleLooks, times.lookMs);
    if (!titleDialog) return result::tarnwickNoTitleDialog;
    platform::sendText(platform::dialogItem(titleDialog, idTitleEdit), title);
    if (!copyright.empty()) {
        platform::sendText(platform::dialogItem(titleDialog, idCopyrightEdit), copyright);
        platform::clickToggle(titleDialog, idProtectToggle);
    }
    if (fourKHz) platform::clickToggle(titleDialog, idRateToggle);
    child.waitForInputIdle(times.inputIdleMs);
    platform::postCommand(titleDialog, idOk);
    child.waitForInputIdle(times.inputIdleMs);

    const platform::WindowRef messageDialog =
        lookForDialog(child, main, times.messageLooks, times.lookMs);
    if (!messageDialog) return result::tarnwickNoMessage;
    if (!platform::dialogItem(messageDialog, idPower)) return result::tarnwickNoPower;
    platform::postCommand(messageDialog, idPower);

    for (int poll = 0; poll < times.exitPolls; ++poll)
        if (child.waitForExit(times.exitPollMs)) return 0;
    return result::tarnwickNotEnded;
}

} // namespace cw
