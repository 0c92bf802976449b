#include "chimewright/cli/target_listing.hpp"

#include "chimewright/app/target_profiles.hpp"
#include "chimewright/driver/smaf_stream_route.hpp"
#include "chimewright/mfi/mfi_driver.hpp"
#include "platform/text.hpp"

#include <cstdio>
#include <vector>

namespace cw::cli {

namespace {

std::string percent(double gain) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", gain * 100.0);
    return text;
}

// What bounds the size of the target's file, in bytes: for MFi targets the ADPCM bytes of
// each channel stream, for the SMAF target the file or the trimmed sound.
std::string sizeLimit(const cw::SettingsState& state, int target) {
    const auto t = static_cast<std::size_t>(target);
    const cw::TargetBlock block = cw::makeTargetBlock(
        state.flags[t], state.volumes[t], cw::targetTable[t].largeBudget, state.smafBudget);
    if (target == cw::targetQcp || target == cw::targetAndroid) return "-";
    if (target == cw::targetSmaf) {
        if (block.rate16k)
            return std::to_string(block.useUserLimit ? cw::smafLargeLimit : cw::smafSmallLimit);
        return block.useUserLimit ? "-" : std::to_string(state.smafBudget);
    }
    return std::to_string(cw::mfiByteBudget(target, block, state.userSizeLimit));
}

std::string optionsColumn(std::uint32_t offered, std::uint32_t flags) {
    const std::uint32_t pressed = cw::pressedRateOption(offered, flags);
    std::string column;
    for (const cw::OptionLabel& option : cw::optionLabels) {
        if (!(offered & option.bit) || option.bit == cw::option::unlimited) continue;
        column.append(column.empty() ? "" : " ")
            .append(option.bit == pressed ? "*" : "")
            .append(option.label);
    }
    return column.empty() ? "-" : column;
}

// Pads to a width counted in characters (the labels are ASCII; the folder comes last).
std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

} // namespace

std::string targetListing(const cw::SettingsState& state, const std::string& outputFolder) {
    std::string out;
    char line[256];
    std::snprintf(line, sizeof line,
                  "normalisation %s, level %s%%; loop %s; size limit with Unlimited %d bytes\n\n",
                  (state.normalisationFlags & cw::option::create) ? "on" : "off",
                  percent(state.normalisationLevel).c_str(), state.loop ? "on" : "off",
                  state.userSizeLimit);
    out += line;

    struct Column {
        const char* title;
        std::size_t width;
    };
    const Column columns[] = {
        {"target", 9},     {"on", 4},          {"volume", 7}, {"options (* chosen)", 61},
        {"Unlimited", 10}, {"size limit", 11}, {"type", 5},   {"folder", 0}};
    for (const Column& c : columns)
        out += padded(c.title, c.width);
    out += "\n";

    for (int t = 0; t < cw::targetCount; ++t) {
        const auto index = static_cast<std::size_t>(t);
        const cw::TargetProfile& profile = cw::targetProfiles[index];
        const cw::TargetInfo& info = cw::targetTable[index];
        const std::uint32_t flags = state.flags[index];
        const std::string cells[] = {
            profile.rowLabel,
            (flags & cw::option::create) ? "yes" : "-",
            info.volumeFromSettings ? percent(state.volumes[index]) : "-",
            optionsColumn(profile.options, flags),
            !(profile.options & cw::option::unlimited) ? "-"
            : (flags & cw::option::unlimited)          ? "yes"
                                                       : "no",
            sizeLimit(state, t),
            info.extension,
            platform::pathToUtf8(platform::pathFromUtf8(outputFolder) / info.key),
        };
        for (std::size_t c = 0; c < std::size(cells); ++c)
            out += columns[c].width ? padded(cells[c], columns[c].width) : cells[c];
        out += "\n";
    }
    return out;
}

} // namespace cw::cli
