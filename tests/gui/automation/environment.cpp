#include "tests/gui/automation/environment.hpp"

#include "tests/gui/automation/text.hpp"
#include "tests/gui/automation/wait.hpp"

#include <windows.h>

namespace gui_test {

namespace {

std::wstring variable(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length);
    return value;
}

std::filesystem::path requiredFolder(const wchar_t* name) {
    const std::wstring value = variable(name);
    if (value.empty())
        throw AutomationError("the environment variable " + toUtf8(name) +
                              " is not set (CTest sets it for GUI suites)");
    // Under Wine a Unix path ("/work/...") names a folder of the current drive (Z:, the
    // Unix root); the full form stays right when a child starts in another folder.
    return std::filesystem::absolute(std::filesystem::path(value));
}

// Wine draws through X11 and shows no window without an X display (DISPLAY, which Wine passes
// on into the Windows environment); real Windows always has a screen.
bool wineRunsWithoutDisplay() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !::GetProcAddress(ntdll, "wine_get_version")) return false; // real Windows
    return variable(L"DISPLAY").empty();
}

} // namespace

std::filesystem::path binDir() {
    return requiredFolder(L"CW_BIN_DIR");
}

std::filesystem::path program(const std::string& name) {
    return binDir() / toWide(name);
}

std::filesystem::path sourceDir() {
    return requiredFolder(L"CW_SOURCE_DIR");
}

std::filesystem::path screenshotDir() {
    const std::wstring value = variable(L"CW_SCREENSHOT_DIR");
    std::filesystem::path dir =
        value.empty() ? std::filesystem::path(L"screenshots") : std::filesystem::path(value);
    dir = std::filesystem::absolute(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

bool interfaceLanguageIsJapanese() {
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

bool displayAvailable() {
    return !wineRunsWithoutDisplay();
}

} // namespace gui_test
