#include "chimewright/app/target_profiles.hpp"

namespace cw {

namespace {

using namespace option;

constexpr std::uint32_t mono4k8k = unlimited | rate4k | rate8k;
constexpr std::uint32_t upTo16k = mono4k8k | stereo8k | rate16k;
constexpr std::uint32_t upTo16kStereo = upTo16k | stereo16k;
constexpr std::uint32_t allEight = upTo16kStereo | rate32k2bit | rate32k4bit;
constexpr std::uint32_t ima = unlimited | rate8k | rate16k;

// The rate buttons in the order a row looks for the one to press; "8kHz" when none applies.
constexpr std::uint32_t radioPriority[] = {rate4k, stereo8k, rate16k, stereo16k, rate32k2bit,
                                           rate32k4bit};
constexpr std::uint32_t radioButtons = rate4k | rate8k | stereo8k | rate16k | stereo16k |
                                       rate32k2bit | rate32k4bit;

} // namespace

const std::array<TargetProfile, targetCount> targetProfiles = {{
    {"mmf", mono4k8k | rate16k, 264},
    {"n503", mono4k8k, 32},
    {"n504", upTo16k, 32},
    {"n505", upTo16kStereo, 264},
    {"f503", mono4k8k, 32},
    {"f504", mono4k8k, 32},
    {"f505", upTo16kStereo, 264},
    {"p211", mono4k8k, 32},
    {"p505", allEight, 264},
    {"p900", upTo16kStereo, 264},
    {"d211", mono4k8k, 32},
    {"d505", allEight, 264},
    {"sh251", mono4k8k, 32},
    {"sh505", mono4k8k | rate16k, 264},
    {"sh252", allEight, 264},
    {"so504", upTo16k, 32},
    {"so505", upTo16k, 264},
    {"so505iS", allEight, 264},
    {"qcp", 0, 32},
    {"sa700", upTo16kStereo, 264},
    {"sa702", allEight, 264},
    {"p903", allEight, 776},
    {"L600", ima, 264},
    {"N600", ima, 264},
    {"m702", ima, 264},
    {"Andr", unlimited | rate16k | stereo16k | rate32k4bit, 769},
}};

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
