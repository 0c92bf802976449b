#include "chimewright/app/presets.hpp"

#include "chimewright/app/settings_file.hpp"

namespace cw {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

} // namespace

std::optional<std::string> presetPrefix(std::string_view name) {
    if (sameIgnoringCase(name, presetNames[0])) return std::string();
    for (std::size_t i = 1; i < presetNames.size(); ++i)
        if (sameIgnoringCase(name, presetNames[i])) return std::string(presetNames[i]);
    return std::nullopt;
}

bool loadPreset(SettingsState& state, const platform::Path& file, std::string_view name) {
    auto prefix = presetPrefix(name);
    if (!prefix) return false;
    loadSettings(state, file, *prefix);
    return true;
}

bool savePreset(const SettingsState& state, const platform::Path& file, std::string_view name) {
    auto prefix = presetPrefix(name);
    if (!prefix || prefix->empty()) return false;
    saveSettings(state, file, *prefix);
    return true;
}

} // namespace cw
