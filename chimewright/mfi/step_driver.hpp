// The conditioned step-ADPCM drivers (vendors 0x21, 0x41 and 0x71): per target, encode the
// chosen temporary file(s) high-nibble-first within the budget and write the family's inline,
// block, stereo block or "adat" file.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"

#include <cstdint>
#include <span>
#include <string_view>

namespace cw {

enum class StepFileForm {
    inlineVoice,         // always inline
    inlineOrBlock,       // inline while the stream is shorter than 65201 bytes
    blocks,              // block form; stereo block form for the stereo options
    adat,                // "adat" "0400", mono or interleaved stereo
};

struct StepTargetPlan {
    int target;
    std::uint32_t offered; // option bits the target's row offers
    StepFileForm form;
};

struct StepDriverPlan {
    unsigned char vendor;
    std::string_view inlineVersion;
    std::string_view blockVersion;
    unsigned char blockPanRecord; // V 82, or V 80 in the "0301" block files
    int openFailed;
    int inlineCreateFailed;
    int blockCreateFailed; // block and "adat" files
    int tooLarge;          // also: the inline header does not fit
    std::span<const StepTargetPlan> targets;
};

// The streams shorter than this go into the inline form where the target allows both.
constexpr std::size_t inlineStreamLimit = 65201;
// Without "Unlimited" an inline file may be at most this large (small and large size class).
constexpr std::size_t inlineFileLimitSmall = 10238;
constexpr std::size_t inlineFileLimitLarge = 20238;

// The enabled targets of the plan in order; the first failure's code ends the driver.
int runStepDriver(const StepDriverPlan& plan, const MfiDriverContext& context);

} // namespace cw
