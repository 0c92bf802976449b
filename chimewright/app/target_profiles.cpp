#include "chimewright/app/target_profiles.hpp"

namespace cw {

namespace {

using namespace option;

// The rate buttons in the order a row looks for the one to press; "8kHz" when none applies.
constexpr std::uint32_t radioPriority[] = {rate4k, stereo8k, rate16k, stereo16k, rate32k2bit,
                                           rate32k4bit};
constexpr std::uint32_t radioButtons = rate4k | rate8k | stereo8k | rate16k | stereo16k |
                                       rate32k2bit | rate32k4bit;

} // namespace

const std::array<OptionLabel, 8> optionLabels = {{
    {unlimited, "Unlimited"},
    {rate4k, "4kHz"},
    {rate8k, "8kHz"},
    {stereo8k, "8kStereo"},
    {rate16k, "16kHz"},
    {rate32k2bit, "32kHz(2bit)"},
    {stereo16k, "16kStereo"},
    {rate32k4bit, "32kHz(4bit)"},
}};

std::uint32_t pressedRateOption(std::uint32_t options, std::uint32_t flags) {
    return rowFlags(options, flags) & options & radioButtons;
}

std::uint32_t rowFlags(std::uint32_t options, std::uint32_t flags) {
    std::uint32_t pressed = rate8k;
    for (std::uint32_t button : radioPriority) {
        if (flags & button) {
            pressed = button;
            break;
        }
    }
    std::uint32_t built = (flags & create) ? (create | rate8k) : rate8k;
    if (options & unlimited) built = (flags & unlimited) ? built | unlimited : built & ~unlimited;
    for (std::uint32_t bit = 1; bit <= rate4k; bit <<= 1) {
        if (!(options & radioButtons & bit)) continue;
        built = bit == pressed ? built | bit : built & ~bit;
    }
    return built;
}

} // namespace cw
