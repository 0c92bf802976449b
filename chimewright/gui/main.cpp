// chimewright's window program: the settings, the command line's switches, the window
// classes, the trace log, the main window and the message loop.
#include "chimewright/app/command_line.hpp"
#include "chimewright/app/settings_file.hpp"
#include "chimewright/app/trace_log.hpp"
#include "chimewright/gui/list_window.hpp"
#include "chimewright/gui/main_window.hpp"
#include "chimewright/gui/resource_ids.hpp"

#include <ole2.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    const platform::Path settingsFile = cw::settingsFilePath();
    cw::SettingsState settings;
    cw::readUserCopyright(settings, settingsFile);
    cw::loadSettings(settings, settingsFile, "");
    cw::parseCommandLine(settings, commandLine ? commandLine : "");

    // The folder browser of the new style needs OLE on the window thread.
    const bool ole = SUCCEEDED(::OleInitialize(nullptr));
    HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(CW_PROGRAM_ICON));
    if (!icon) icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    if (!cw::gui::MainWindow::registerClass(instance, icon) ||
        !cw::gui::ListWindow::registerClass(instance, icon))
        return 1;
    cw::startTrace(platform::modulePath()); // a log that cannot be written is no failure

    int exitCode = 1;
    {
        cw::gui::MainWindow window(settings, settingsFile);
        if (window.create(showCommand)) {
            MSG message;
            BOOL got;
            while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) {
                if (window.navigate(message)) continue;
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
            exitCode = got == 0 ? static_cast<int>(message.wParam) : 1;
        }
    }
    if (ole) ::OleUninitialize();
    return exitCode;
}
