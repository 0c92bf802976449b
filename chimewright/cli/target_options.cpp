#include "chimewright/cli/target_options.hpp"

#include "chimewright/app/target_profiles.hpp"

#include <charconv>

namespace cw::cli {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Case and parentheses do not matter: "32khz4bit" is "32kHz(4bit)".
std::string folded(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '(' && c != ')') out.push_back(lower(c));
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

std::string targetNames() {
    std::string names;
    for (const cw::TargetProfile& profile : cw::targetProfiles)
        names.append(names.empty() ? "" : ", ").append(profile.rowLabel);
    return names + ", all";
}

std::string offeredOptions(int target) {
    const std::uint32_t options = cw::targetProfiles[static_cast<std::size_t>(target)].options;
    std::string names;
    for (const cw::OptionLabel& option : cw::optionLabels)
        if (options & option.bit) names.append(names.empty() ? "" : ", ").append(option.label);
    return names;
}

const char* rowLabel(int target) {
    return cw::targetProfiles[static_cast<std::size_t>(target)].rowLabel;
}

std::optional<std::uint32_t> optionByName(std::string_view name) {
    for (const cw::OptionLabel& option : cw::optionLabels)
        if (folded(name) == folded(option.label)) return option.bit;
    return std::nullopt;
}

// One entry without "all": the target and what its option parts say.
std::string parseEntry(std::string_view entry, TargetChoice& choice) {
    const std::vector<std::string_view> parts = split(entry, ':');
    const std::optional<int> target = targetByName(parts.front());
    if (!target)
        return "unknown target \"" + std::string(parts.front()) + "\" (targets: " + targetNames() +
               ")";
    choice.target = *target;
    const std::uint32_t offered = cw::targetProfiles[static_cast<std::size_t>(*target)].options;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::optional<std::uint32_t> bit = optionByName(parts[i]);
        const bool isOffered = bit && (offered & *bit);
        const bool secondRate = bit && *bit != cw::option::unlimited && choice.rate != 0;
        if (!isOffered || secondRate) {
            const std::string offers = offeredOptions(*target);
            return std::string(rowLabel(*target)) + ": " +
                   (secondRate && isOffered ? "one rate option at a time, not \""
                                            : "no option \"") +
                   std::string(parts[i]) + "\" (" + rowLabel(*target) +
                   (offers.empty() ? " has no options)" : " offers " + offers + ")");
        }
        choice.keepStored = false;
        if (*bit == cw::option::unlimited)
            choice.unlimited = true;
        else
            choice.rate = *bit;
    }
    return {};
}

} // namespace

std::optional<int> targetByName(std::string_view name) {
    for (int t = 0; t < cw::targetCount; ++t) {
        const auto index = static_cast<std::size_t>(t);
        if (folded(name) == folded(cw::targetProfiles[index].rowLabel) ||
            folded(name) == folded(cw::targetTable[index].key))
            return t;
    }
    return std::nullopt;
}

std::string parseTargetList(std::string_view list, std::vector<TargetChoice>& choices) {
    for (std::string_view entry : split(list, ',')) {
        if (entry.empty()) return "--targets has an empty entry in \"" + std::string(list) + "\"";
        if (folded(entry) == "all") {
            for (int t = 0; t < cw::targetCount; ++t)
                choices.push_back({t});
            continue;
        }
        if (folded(entry.substr(0, entry.find(':'))) == "all")
            return "\"all\" takes no options (give them per target after it: all,n505:16kHz)";
        TargetChoice choice;
        if (std::string problem = parseEntry(entry, choice); !problem.empty()) return problem;
        choices.push_back(choice);
    }
    return {};
}

std::string parseVolume(std::string_view text, VolumeChoice& choice) {
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const std::string_view number =
        equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
    bool whole = !number.empty();
    if (whole) {
        const char* end = number.data() + number.size();
        const auto [stop, error] = std::from_chars(number.data(), end, choice.percent);
        whole = error == std::errc() && stop == end;
    }
    if (!whole || choice.percent < 1 || choice.percent > 100)
        return "--volume needs NAME=PERCENT with a whole PERCENT of 1 to 100, not \"" +
               std::string(text) + "\"";
    if (folded(name) == "normalize") return {};
    choice.target = targetByName(name);
    if (!choice.target ||
        !cw::targetTable[static_cast<std::size_t>(*choice.target)].volumeFromSettings) {
        std::string names;
        for (int t = 0; t < cw::targetCount; ++t)
            if (cw::targetTable[static_cast<std::size_t>(t)].volumeFromSettings)
                names.append(names.empty() ? "" : ", ").append(rowLabel(t));
        return (choice.target ? std::string(rowLabel(*choice.target)) + " has no volume"
                              : "unknown target \"" + std::string(name) + "\"") +
               " (volumes: normalize, " + names + ")";
    }
    return {};
}

void applyTargetChoices(cw::SettingsState& state, const std::vector<TargetChoice>& choices) {
    if (choices.empty()) return;
    for (std::uint32_t& flags : state.flags)
        flags &= ~cw::option::create;
    for (const TargetChoice& choice : choices) {
        const auto t = static_cast<std::size_t>(choice.target);
        const std::uint32_t offered = cw::targetProfiles[t].options;
        std::uint32_t& flags = state.flags[t];
        if (choice.keepStored) {
            flags |= cw::option::create;
            continue;
        }
        const std::uint32_t rate =
            choice.rate ? choice.rate : cw::pressedRateOption(offered, flags);
        std::uint32_t wanted = cw::option::create | rate;
        if (choice.unlimited) wanted |= cw::option::unlimited;
        flags = cw::rowFlags(offered, wanted);
    }
}

void applyVolumeChoices(cw::SettingsState& state, const std::vector<VolumeChoice>& choices) {
    for (const VolumeChoice& choice : choices) {
        const double gain = choice.percent / 100.0;
        if (choice.target)
            state.volumes[static_cast<std::size_t>(*choice.target)] = gain;
        else
            state.normalisationLevel = gain;
    }
}

} // namespace cw::cli
