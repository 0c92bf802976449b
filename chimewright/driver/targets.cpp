#include "chimewright/driver/targets.hpp"

namespace cw {

const std::array<TargetInfo, targetCount> targetTable = {{
    {"mmf", ".mmf", 0, false},    {"n503", ".mld", 0, true},   {"n504", ".mld", 0, true},
    {"n505", ".mld", 1, true},    {"f503", ".mld", 0, true},   {"f504", ".mld", 0, true},
    {"f505", ".mld", 1, true},    {"p211", ".mld", 0, true},   {"p505", ".mld", 1, true},
    {"p900", ".mld", 1, true},    {"d211", ".mld", 0, true},   {"d505", ".mld", 1, true},
    {"sh251", ".mld", 0, true},   {"sh505", ".mld", 1, true},  {"sh252", ".mld", 1, true},
    {"so504", ".mld", 0, true},   {"so505", ".mld", 1, true},  {"so505is", ".mld", 1, true},
    {"qcp", ".qcp", 0, false},    {"sa700", ".mld", 1, true},  {"sa702", ".mld", 1, true},
    {"p903", ".mld", 1, true},    {"l600", ".mld", 1, true},   {"n600", ".mld", 1, true},
    {"m702", ".mld", 1, true},    {"Andr", ".ogg", 1, true},
}};

TargetBlock makeTargetBlock(std::uint32_t flags, double volume, int largeBudget, int smafBudget) {
    auto bit = [flags](std::uint32_t mask) { return (flags & mask) ? 1 : 0; };
    TargetBlock b;
    b.enabled = bit(option::create);
    b.volume = volume;
    b.useUserLimit = bit(option::unlimited);
    b.largeBudget = largeBudget;
    b.lowRate = bit(option::rate4k);
    b.rate8k = bit(option::rate8k);
    b.rate16k = bit(option::rate16k);
    b.rate32k2bit = bit(option::rate32k2bit);
    b.rate32k4bit = bit(option::rate32k4bit);
    b.stereo8k = bit(option::stereo8k | option::stereo8kAlt);
    b.stereo16k = bit(option::stereo16k);
    b.smafBudget = smafBudget;
    return b;
}

platform::Path targetOutputPath(const platform::Path& outputFolder, int target,
                                const std::string& baseName) {
    const TargetInfo& info = targetTable[static_cast<std::size_t>(target)];
    return outputFolder / info.key / (baseName + info.extension);
}

} // namespace cw
