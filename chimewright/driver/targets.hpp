// The 26 output targets of a conversion job, their option bits and per-job blocks.
#pragma once

#include "platform/files.hpp"

#include <array>
#include <cstdint>
#include <string>

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

struct TargetInfo {
    const char* key;        // settings key, also the output folder name
    const char* extension;  // with the dot
    int largeBudget;        // size class of the model
    bool volumeFromSettings; // false: the volume is fixed at 1.0
};

extern const std::array<TargetInfo, targetCount> targetTable;

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

// output folder / target folder / base name + extension
platform::Path targetOutputPath(const platform::Path& outputFolder, int target,
                                const std::string& baseName);

} // namespace cw
