// voxreel's window program: plays the ringtone file named on the command line at start, and
// every file dropped on its window.
#include "voxreel/gui/paint_record.hpp"
#include "voxreel/gui/player_window.hpp"

#include "platform/command_line.hpp"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int) {
    // The runtime's own command-line tail drops bytes of 0x80 and above after the program's
    // name, so a Japanese file name would lose its first characters: take the system's line.
    const char* commandLine = ::GetCommandLineA();
    voxreel::PlayerSession session;
    session.setCommandLine(platform::argumentsAfterProgramName(commandLine ? commandLine : ""));
    voxreel::gui::PaintRecord paintRecord = voxreel::gui::PaintRecord::fromEnvironment();

    if (!previousInstance && !voxreel::gui::PlayerWindow::registerClass(instance)) return 0;
    voxreel::gui::PlayerWindow window(instance, session, paintRecord);
    if (!window.create()) return 0;

    MSG message{};
    BOOL got;
    while ((got = ::GetMessageA(&message, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return got < 0 ? 0 : static_cast<int>(message.wParam);
}
