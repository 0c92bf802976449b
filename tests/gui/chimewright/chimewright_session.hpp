// One run of chimewright.exe for a test: the program copied into a scratch folder (its
// temporary files and missing converters stay there), a settings file of its own (WINDIR
// names the scratch folder), the main window and the list window found.
#pragma once

#include "tests/gui/automation/automation.hpp"
#include "tests/support/scratch.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace cw_gui_test {

// Control identifiers as the window gives them.
namespace ids {
constexpr int makeMld = 2001, clear = 2002, help = 2004, exportList = 2005, importList = 2006,
              save = 2007, loop = 2008, presetBox = 2009, sizeLimit = 2010, copyright = 2011;
constexpr int path = 0, title = 1, output = 2, interval = 3, result = 4; // list columns
} // namespace ids

class ChimewrightSession {
  public:
    // Starts the program with `arguments` (switches). `settings` is written as the settings
    // file first when not empty.
    explicit ChimewrightSession(std::vector<std::wstring> arguments = {},
                                const std::string& settings = {});
    ~ChimewrightSession();

    testing_support::ScratchFolder scratch;
    gui_test::Process process;
    HWND window = nullptr;
    HWND list = nullptr;

    std::filesystem::path settingsFile() const;
    // A fresh folder for a batch's outputs, under the build tree (the folder browser does
    // not show the temporary folder's hidden parents, so it cannot select a folder there);
    // it is kept for a person to look at.
    std::filesystem::path outputFolder(const std::wstring& name) const;
    std::filesystem::path folder() const { return scratch.path(); }
    // A value of the settings file ("<none>" when missing).
    std::string setting(const std::string& section, const std::string& key) const;

    // A control of the main window itself (not one of the option buttons inside the rows'
    // group boxes, whose identifiers repeat those of other rows' controls).
    HWND control(int id) const;
    // Field `column` of visible line `line`.
    HWND field(int column, int line) const;
    std::wstring fieldText(int column, int line) const;
    // A control inside a target row's option group (the group box is the buttons' parent).
    HWND option(int baseId, int offset) const;

    // A file in the scratch folder with the given bytes.
    std::filesystem::path makeFile(const std::string& name, const std::string& bytes) const;
    void drop(const std::vector<std::filesystem::path>& files) const;
    // Waits until the list shows `path` in the path field of `line`.
    void expectPath(int line, const std::filesystem::path& path) const;

    // Closes the window as the user does and waits for the program to end.
    void close();

    std::string tree() const { return gui_test::formatTree(window); }
    void screenshot(const std::string& name) const;

  private:
    std::filesystem::path programCopy_;
    void copyProgram();
};

// A short tone as a 16-bit PCM WAV file image.
std::string toneWav(double seconds, unsigned channels = 1, unsigned rate = 22050,
                    double frequency = 660.0);

} // namespace cw_gui_test
