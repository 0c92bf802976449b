#include "chimewright/app/settings_file.hpp"

#include "chimewright/app/c_numbers.hpp"
#include "chimewright/app/user_text.hpp"
#include "platform/profile.hpp"
#include "platform/text.hpp"

#include <cmath>
#include <vector>

namespace cw {

namespace {

constexpr std::size_t shortText = 256;
constexpr std::size_t longText = 1024;
constexpr std::size_t maxAnsiCopyright = 254;

// The targets whose volume is stored have a key in both STYLE and VOLUME, in table order;
// the others (SMAF and QCP) follow them in STYLE only.
std::vector<int> targetsWithStoredVolume(bool stored) {
    std::vector<int> targets;
    for (int t = 0; t < targetCount; ++t)
        if (targetRow(t).volumeFromSettings == stored) targets.push_back(t);
    return targets;
}

const char* keyOf(int target) { return targetTable[static_cast<std::size_t>(target)].key; }

struct Sections {
    std::string style, volume, option;
    explicit Sections(std::string_view prefix)
        : style(std::string(prefix) + "STYLE"), volume(std::string(prefix) + "VOLUME"),
          option(std::string(prefix) + "OPTION") {}
};

} // namespace

platform::Path settingsFilePath() { return platform::settingsFolder() / "ferrowind.ini"; }

void loadSettings(SettingsState& state, const platform::Path& file, std::string_view prefix) {
    const Sections s(prefix);
    const std::vector<int> modelOrder = targetsWithStoredVolume(true);
    const std::vector<int> styleOnly = targetsWithStoredVolume(false);
    auto flagsOf = [&](const char* key, std::uint32_t fallback) {
        return static_cast<std::uint32_t>(
            platform::readProfileInt(file, s.style, key, static_cast<int>(fallback)));
    };
    auto volumeOf = [&](const char* key) {
        return leadingDouble(platform::readProfileString(file, s.volume, key, "1.0", shortText));
    };

    state.normalisationFlags = flagsOf("normoff", defaultNormalisationFlags);
    for (int target : modelOrder) {
        const auto t = static_cast<std::size_t>(target);
        state.flags[t] = flagsOf(keyOf(target), targetProfiles[t].defaultFlags);
    }
    for (int target : styleOnly) {
        const auto t = static_cast<std::size_t>(target);
        state.flags[t] = flagsOf(keyOf(target), targetProfiles[t].defaultFlags);
        state.volumes[t] = 1.0;
    }

    // "nan", "inf" or an overflow such as "1e999" convert to no finite level; the normaliser
    // would turn every sample into an undefined conversion. Such a value counts as missing.
    const double level = volumeOf("normalize");
    state.normalisationLevel = std::isfinite(level) ? level : 1.0;
    for (int target : modelOrder) state.volumes[static_cast<std::size_t>(target)] = volumeOf(keyOf(target));

    state.loop = leadingInteger(platform::readProfileString(file, s.option, "loop", "0", shortText));
    state.userSizeLimit =
        leadingInteger(platform::readProfileString(file, s.option, "maxmld", "100000", shortText));
}

void saveSettings(const SettingsState& state, const platform::Path& file,
                  std::string_view prefix) {
    const Sections s(prefix);
    const std::vector<int> modelOrder = targetsWithStoredVolume(true);
    const std::vector<int> styleOnly = targetsWithStoredVolume(false);
    auto flagsText = [](std::uint32_t flags) {
        return formatInteger(static_cast<int>(flags)); // "%d" of the stored word
    };

    platform::writeProfileString(file, s.style, "normoff", flagsText(state.normalisationFlags));
    for (int target : modelOrder)
        platform::writeProfileString(file, s.style, keyOf(target),
                                     flagsText(state.flags[static_cast<std::size_t>(target)]));
    for (int target : styleOnly)
        platform::writeProfileString(file, s.style, keyOf(target),
                                     flagsText(state.flags[static_cast<std::size_t>(target)]));

    platform::writeProfileString(file, s.volume, "normalize", formatFixed(state.normalisationLevel));
    for (int target : modelOrder)
        platform::writeProfileString(file, s.volume, keyOf(target),
                                     formatFixed(state.volumes[static_cast<std::size_t>(target)]));

    platform::writeProfileString(file, s.option, "loop", formatInteger(state.loop));
    platform::writeProfileString(file, s.option, "maxmld", formatInteger(state.userSizeLimit));
}

void setCopyright(SettingsState& state, std::string_view text) {
    state.copyright = cutToUtf16Units(text, longText - 1);
    state.copyrightAnsi = cutCp932Bytes(platform::utf8ToCp932(state.copyright), maxAnsiCopyright);
}

void readUserCopyright(SettingsState& state, const platform::Path& file) {
    setCopyright(state, platform::readProfileString(file, "user", "copyright", "", longText));
}

void storeUserCopyright(const SettingsState& state, const platform::Path& file) {
    platform::writeProfileString(file, "user", "copyright", state.copyright);
}

std::string readOutputFolder(const platform::Path& file) {
    return platform::readProfileString(file, "user", "output", "", longText);
}

void storeOutputFolder(const platform::Path& file, std::string_view folder) {
    platform::writeProfileString(file, "user", "output", folder);
}

} // namespace cw
