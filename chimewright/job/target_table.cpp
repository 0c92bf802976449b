#include "chimewright/job/target_table.hpp"

#include "chimewright/job/result_codes.hpp"

#include "shared/mfi_format.hpp"

#include <algorithm>

namespace cw {

namespace {

using namespace option;
namespace mfi = suite::mfi;

constexpr std::uint32_t mono4k8k = unlimited | rate4k | rate8k;
constexpr std::uint32_t upTo16k = mono4k8k | stereo8k | rate16k;
constexpr std::uint32_t upTo16kStereo = upTo16k | stereo16k;
constexpr std::uint32_t allEight = upTo16kStereo | rate32k2bit | rate32k4bit;
constexpr std::uint32_t ima = unlimited | rate8k | rate16k;
constexpr std::uint32_t android = unlimited | rate16k | stereo16k | rate32k4bit;

constexpr int small = 0;
constexpr int large = 1;
constexpr bool fixedVolume = false;
constexpr bool ownVolume = true;
constexpr bool fixed65200 = true;
constexpr bool userLimit = false;

using C = TargetCodec;
using F = MfiForm;

constexpr TargetCodes lowNibble0200{result::lowNibbleOpenFailed, result::lowNibble0200CreateFailed,
                                     result::lowNibble0200TooLarge};
constexpr TargetCodes lowNibble0300{result::lowNibbleOpenFailed, result::lowNibble0300CreateFailed,
                                     result::lowNibble0300TooLarge};
constexpr TargetCodes vendor41Step{result::vendor41OpenFailed, result::vendor41CreateFailed,
                                    result::vendor41TooLarge};
constexpr TargetCodes vendor21Step{result::vendor21OpenFailed, result::vendor21CreateFailed,
                                    result::vendor21TooLarge};
constexpr TargetCodes vendor71Step{result::vendor71OpenFailed, result::vendor71InlineCreateFailed,
                                    result::vendor71TooLarge, result::vendor71BlockCreateFailed};
constexpr TargetCodes g726(int createFailed) {
    return {result::g726OpenFailed, createFailed, result::g726TooLarge};
}
// Running out of memory is reported as the failed create.
constexpr TargetCodes imaCodes(int openFailed, int createFailed) {
    return {openFailed, createFailed, createFailed};
}

} // namespace

// key, row label, extension, size class, volume, options, default flags,
//   codec, file form, "Unlimited" budget, header, codes, MFi turn
const std::array<TargetRow, targetCount> targetTable = {{
    {"mmf", "mmf", ".mmf", small, fixedVolume, mono4k8k | rate16k, 264,
     C::smaf, F::none, userLimit, {}, {}, 0},
    {"n503", "n503", ".mld", small, ownVolume, mono4k8k, 32,
     C::stepLowNibbleFirst, F::singleRest, fixed65200, {mfi::vendor11, {}}, lowNibble0200, 1},
    {"n504", "n504", ".mld", small, ownVolume, upTo16k, 32,
     C::stepLowNibbleFirst, F::vendor11Short, fixed65200, {}, lowNibble0300, 2},
    {"n505", "n505", ".mld", large, ownVolume, upTo16kStereo, 264,
     C::stepLowNibbleFirst, F::vendor11Blocks, userLimit, {}, lowNibble0300, 3},
    {"f503", "f503", ".mld", small, ownVolume, mono4k8k, 32,
     C::stepLowNibbleFirst, F::singleRest, fixed65200, {mfi::vendor21, {}}, lowNibble0200, 4},
    {"f504", "f504", ".mld", small, ownVolume, mono4k8k, 32,
     C::stepHighNibbleFirst, F::inlineOrBlock, userLimit, {mfi::vendor21, mfi::version0300}, vendor21Step, 10},
    {"f505", "f505", ".mld", large, ownVolume, upTo16kStereo, 264,
     C::stepHighNibbleFirst, F::blocks, userLimit, {mfi::vendor21, mfi::version0300}, vendor21Step, 11},
    {"p211", "p211", ".mld", small, ownVolume, mono4k8k, 32,
     C::stepHighNibbleFirst, F::inlineVoice, fixed65200, {mfi::vendor41, mfi::version0200}, vendor41Step, 7},
    {"p505", "p505", ".mld", large, ownVolume, allEight, 264,
     C::g726, F::fourTrack, userLimit, {mfi::vendor41, mfi::version0300}, g726(result::p505CreateFailed), 16},
    {"p900", "p900", ".mld", large, ownVolume, upTo16kStereo, 264,
     C::stepHighNibbleFirst, F::blocks, userLimit, {mfi::vendor41, mfi::version0301}, vendor41Step, 8},
    {"d211", "d211", ".mld", small, ownVolume, mono4k8k, 32,
     C::g726, F::inlineVoice, userLimit, {mfi::vendor61, mfi::version0200}, g726(result::d211CreateFailed), 14},
    {"d505", "d505", ".mld", large, ownVolume, allEight, 264,
     C::g726, F::singleTrack, userLimit, {}, g726(result::d505CreateFailed), 15},
    {"sh251", "sh251", ".mld", small, ownVolume, mono4k8k, 32,
     C::stepHighNibbleFirst, F::inlineOrBlock, userLimit, {mfi::vendor71, mfi::version0300}, vendor71Step, 12},
    {"sh505", "sh505", ".mld", large, ownVolume, mono4k8k | rate16k, 264,
     C::stepHighNibbleFirst, F::blocks, userLimit, {mfi::vendor71, mfi::version0300}, vendor71Step, 13},
    {"sh252", "sh252", ".mld", large, ownVolume, allEight, 264,
     C::g726, F::fourTrack, userLimit, {mfi::vendor71, mfi::version0300}, g726(result::sh252CreateFailed), 17},
    {"so504", "so504", ".mld", small, ownVolume, upTo16k, 32,
     C::stepLowNibbleFirst, F::vendor31, fixed65200, {}, lowNibble0300, 5},
    {"so505", "so505", ".mld", large, ownVolume, upTo16k, 264,
     C::stepLowNibbleFirst, F::vendor31, fixed65200, {}, lowNibble0300, 6},
    {"so505is", "so505iS", ".mld", large, ownVolume, allEight, 264,
     C::g726, F::fourTrack, userLimit, {mfi::vendor31, mfi::version0301}, g726(result::so505isCreateFailed), 18},
    {"qcp", "qcp", ".qcp", small, fixedVolume, 0, 32,
     C::qcelp, F::none, userLimit, {}, {}, 0},
    {"sa700", "sa700", ".mld", large, ownVolume, upTo16kStereo, 264,
     C::stepHighNibbleFirst, F::adat, userLimit, {}, vendor41Step, 9},
    {"sa702", "sa702", ".mld", large, ownVolume, allEight, 264,
     C::g726, F::adat, userLimit, {0, mfi::version0400}, g726(result::sa702CreateFailed), 19},
    {"p903", "p903", ".mld", large, ownVolume, allEight, 776,
     C::g726, F::adat, userLimit, {0, mfi::version0500}, g726(result::p903CreateFailed), 20},
    {"l600", "L600", ".mld", large, ownVolume, ima, 264,
     C::ima, F::fourTrackF108, userLimit, {}, imaCodes(result::l600OpenFailed, result::l600CreateFailed), 21},
    {"n600", "N600", ".mld", large, ownVolume, ima, 264,
     C::ima, F::fourTrack, userLimit, {}, imaCodes(result::n600OpenFailed, result::n600CreateFailed), 22},
    {"m702", "m702", ".mld", large, ownVolume, ima, 264,
     C::ima, F::adat, userLimit, {}, imaCodes(result::m702OpenFailed, result::m702CreateFailed), 23},
    {"Andr", "Andr", ".ogg", large, ownVolume, android, 769,
     C::vorbis, F::none, userLimit, {}, {}, 0},
}};

platform::Path targetOutputPath(const platform::Path& outputFolder, int target,
                                const std::string& baseName) {
    const TargetRow& row = targetRow(target);
    return outputFolder / row.key / (baseName + row.extension);
}

std::vector<int> mfiWriteOrder(std::span<const TargetRow> table) {
    std::vector<int> order;
    for (std::size_t t = 0; t < table.size(); ++t)
        if (isMfiTarget(table[t])) order.push_back(static_cast<int>(t));
    std::stable_sort(order.begin(), order.end(), [table](int a, int b) {
        return table[static_cast<std::size_t>(a)].mfiTurn < table[static_cast<std::size_t>(b)].mfiTurn;
    });
    return order;
}

} // namespace cw
