#include "chimewright/job/target_settings.hpp"

namespace cw {

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

} // namespace cw
