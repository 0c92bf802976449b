// One run of tarnwick's window program for a test: started in a scratch folder, its main
// window found; ended with the test at the latest. Helpers for its dialogs and its files.
#pragma once

#include "tests/gui/automation/automation.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick_gui_test {

// tarnwick's identifiers as its dialogs use them.
namespace id {
constexpr int ok = 1, cancel = 2, clear = 1000, titleEdit = 1001, copyrightEdit = 1002,
              power = 1015, protectToggle = 1023, rateToggle = 1024, messagePicture = 1025,
              messageText = 1026, dropspace = 1027, about = 1029;
constexpr int aboutLines[] = {1002, 1003, 1004, 1005, 1006};
} // namespace id

// Every dialog's client size: the skin's background.
constexpr SIZE skinSize{210, 108};

struct Place {
    int id;
    int x, y;
};

// A WAV file of `frames` samples of a tone (16-bit mono) in `folder`.
std::filesystem::path makeWav(const std::filesystem::path& folder, const std::string& name,
                              unsigned rate, std::size_t frames);

struct TarnwickSession {
    gui_test::Process process;
    HWND main = nullptr;

    // The interface language is the test run's (gui_test::interfaceLanguageIsJapanese).
    explicit TarnwickSession(const std::filesystem::path& folder);

    // The dialog shown over the main window (owned by it, with empty text).
    HWND waitForDialog() const;
    // Until the dialog is gone and the main window has its size again.
    void waitForDialogClosed(HWND dialog) const;
    // Drops the files on the centre of the "Dropspace" control, as chimewright does.
    void drop(const std::vector<std::filesystem::path>& files) const;
    // The state of a toggle: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE (locked).
    static LRESULT toggleState(HWND dialog, int toggle);
    // The window tree, for failure messages.
    std::string tree() const;
};

// Each control of `window` stands at its place (client coordinates of the window).
void expectPlaces(HWND window, const std::vector<Place>& places);
// A screenshot of the window, named after the dialog and the language.
void keepScreenshot(HWND window, const std::string& name);

// The .mmf tarnwick's console program writes for `wav` with these options (the window
// program must not run meanwhile: both take the one-instance lock).
std::string consoleSmaf(const std::filesystem::path& wav, const std::vector<std::wstring>& options);

} // namespace tarnwick_gui_test
