// The settings a conversion job hands to its writers: the target indexes, the option bits of a
// flags word and one block per target. Both the job runner (driver/) and the MFi writers
// (mfi/) read them, so they live below both.
#pragma once

#include "platform/files.hpp"

#include <array>
#include <cstdint>

namespace cw {

constexpr int targetCount = 26;

enum TargetIndex : int {
    targetSmaf = 0,
    targetN503 = 1, targetN504, targetN505, targetF503, targetF504, targetF505, targetP211,
    targetP505, targetP900, targetD211, targetD505, targetSh251, targetSh505, targetSh252,
    targetSo504, targetSo505, targetSo505is,
    targetQcp = 18,
    targetSa700 = 19, targetSa702, targetP903, targetL600, targetN600, targetM702,
    targetAndroid = 25,
};

// Bits of a target's flags word, named after the labels of the option header.
namespace option {
constexpr std::uint32_t create = 0x200;
constexpr std::uint32_t unlimited = 0x100;
constexpr std::uint32_t rate4k = 0x80;
constexpr std::uint32_t stereo8kAlt = 0x40; // read as "8kStereo" too; the window never sets it
constexpr std::uint32_t rate8k = 0x20;
constexpr std::uint32_t stereo8k = 0x10;
constexpr std::uint32_t rate16k = 0x08;
constexpr std::uint32_t stereo16k = 0x04;
constexpr std::uint32_t rate32k2bit = 0x02;
constexpr std::uint32_t rate32k4bit = 0x01;
} // namespace option

// One target of one job.
struct TargetBlock {
    platform::Path outputPath;
    int enabled = 0;
    double volume = 1.0;
    int useUserLimit = 0;
    int largeBudget = 0;
    int lowRate = 0;
    int rate8k = 0;
    int rate16k = 0;
    int rate32k2bit = 0;
    int rate32k4bit = 0;
    int stereo8k = 0;
    int stereo16k = 0;
    int smafBudget = 0;
};

using JobSettings = std::array<TargetBlock, targetCount>;

// Plain bit extraction; nothing else is derived.
TargetBlock makeTargetBlock(std::uint32_t flags, double volume, int largeBudget, int smafBudget);

// Batch-wide options of the MFi writers (settings section OPTION).
struct MfiOptions {
    int loop = 0;               // loop markers around the sound
    int userSizeLimit = 100000; // byte budget of the targets with "Unlimited"
};

} // namespace cw
