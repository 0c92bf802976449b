// The settings file as text: our INI reader keeps every byte it does not change, and
// loadSettings takes any file. What is saved loads back as it was saved.
#include "chimewright/app/presets.hpp"
#include "chimewright/app/settings_file.hpp"
#include "fuzz/scratch_folder.hpp"
#include "platform/posix/ini_text.hpp"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

// The level goes to the normaliser, which needs a finite number.
bool usable(const cw::SettingsState& s) { return std::isfinite(s.normalisationLevel); }

bool sameStoredValues(const cw::SettingsState& a, const cw::SettingsState& b) {
    return a.flags == b.flags && a.normalisationFlags == b.normalisationFlags &&
           a.loop == b.loop && a.userSizeLimit == b.userSizeLimit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::IniText ini(text);
    expect(ini.text() == text);
    ini.set("user", "output", "x");
    expect(ini.find("user", "output") == "x");

    const platform::Path file = fuzz::inputFile("ferrowind.ini", data, size);
    cw::SettingsState state;
    cw::loadSettings(state, file, "");
    cw::readUserCopyright(state, file);
    expect(state.copyrightAnsi.size() <= 254);
    expect(usable(state));
    (void)cw::readOutputFolder(file);
    cw::SettingsState preset;
    cw::loadPreset(preset, file, "PresetB");
    expect(usable(preset));

    // Saving into this very file keeps what it says elsewhere and loads back the same. A save
    // rewrites the file once per key, so only every fourth input length pays for it.
    if (size % 4 != 0) return 0;
    cw::saveSettings(state, file, "");
    cw::SettingsState again;
    cw::loadSettings(again, file, "");
    expect(sameStoredValues(state, again));
    cw::SettingsState presetAgain;
    cw::loadPreset(presetAgain, file, "PresetB");
    expect(sameStoredValues(preset, presetAgain));
    return 0;
}
