// tarnwick's window program: one skinned dialog that converts a dropped WAV file into a
// SMAF file beside it. Only one runs at a time; a second start ends at once.
#include "platform/named_lock.hpp"
#include "platform/ui_language.hpp"
#include "shared/tarnwick_console.hpp"
#include "tarnwick/gui/main_window.hpp"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The console program takes the same lock, so neither runs beside the other.
    platform::NamedLock instance(suite::tarnwickInstanceLock);
    if (!instance.valid() || !instance.tryLock()) return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    tarnwick::gui::MainWindow main(platform::userInterfaceIsJapanese()
                                      ? tarnwick::Language::japanese
                                      : tarnwick::Language::english);
    main.run(nullptr);
    instance.unlock();
    return 0;
}
