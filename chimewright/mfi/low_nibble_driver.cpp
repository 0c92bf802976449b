// The low-nibble driver: n503 and f503 (single-rest "0200"), n504 (vendor 0x11 short form),
// n505 (vendor 0x11 block form), so504 and so505 (vendor 0x31), step ADPCM from raw samples,
// low nibble first. Codes: 9201 and 9202 (create failed, too large) for the "0200" files,
// 9204 and 9205 for the "0300" files, 9206 when a temporary file cannot be opened.
#include "chimewright/driver/result_codes.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "chimewright/mfi/single_rest_writer.hpp"
#include "chimewright/mfi/step_driver.hpp"
#include "chimewright/mfi/step_voice.hpp"
#include "chimewright/mfi/vendor11_writer.hpp"
#include "chimewright/mfi/vendor31_writer.hpp"

#include <new>

namespace cw {

namespace {

enum class LowNibbleForm { singleRest11, singleRest21, vendor11Short, vendor11Blocks, vendor31 };

struct LowNibbleTarget {
    int target;
    std::uint32_t offered;
    LowNibbleForm form;
};

constexpr std::uint32_t offersLow = option::unlimited | option::rate4k | option::rate8k;
constexpr std::uint32_t offers8kStereo16k = offersLow | option::stereo8k | option::rate16k;
constexpr std::uint32_t offersBoth = offers8kStereo16k | option::stereo16k;

constexpr LowNibbleTarget lowNibbleTargets[] = {
    {targetN503, offersLow, LowNibbleForm::singleRest11},
    {targetN504, offers8kStereo16k, LowNibbleForm::vendor11Short},
    {targetN505, offersBoth, LowNibbleForm::vendor11Blocks},
    {targetF503, offersLow, LowNibbleForm::singleRest21},
    {targetSo504, offers8kStereo16k, LowNibbleForm::vendor31},
    {targetSo505, offers8kStereo16k, LowNibbleForm::vendor31},
};

constexpr int singleRestCreateFailed = result::lowNibble0200CreateFailed;
constexpr int singleRestTooLarge = result::lowNibble0200TooLarge;
constexpr int createFailed0300 = result::lowNibble0300CreateFailed;
constexpr int tooLarge0300 = result::lowNibble0300TooLarge;
constexpr int openFailed = result::lowNibbleOpenFailed;

StepVoiceFiles lowNibbleFiles(const TempWavSet& temps) {
    // The 4 kHz option reads the narrow-band 8 kHz file, every other sample.
    return StepVoiceFiles{
        .mono8k = temps.path(TempWav::mono8k),
        .mono4k = temps.path(TempWav::narrow8k),
        .mono16k = temps.path(TempWav::mono16k),
        .left8k = temps.path(TempWav::left8k),
        .right8k = temps.path(TempWav::right8k),
        .left16k = temps.path(TempWav::left16k),
        .right16k = temps.path(TempWav::right16k),
    };
}

bool isSingleRest(LowNibbleForm form) {
    return form == LowNibbleForm::singleRest11 || form == LowNibbleForm::singleRest21;
}

std::vector<unsigned char> writeFile(LowNibbleForm form, const MfiWriterInputs& inputs,
                                     const StepVoice& voice) {
    VoiceStreams streams{voice.left, voice.right, voice.stereo};
    switch (form) {
    case LowNibbleForm::singleRest11:
        return writeSingleRestFile(SingleRestVendor::vendor11, inputs, voice.left, voice.rate);
    case LowNibbleForm::singleRest21:
        return writeSingleRestFile(SingleRestVendor::vendor21, inputs, voice.left, voice.rate);
    case LowNibbleForm::vendor11Short: return writeVendor11ShortFile(inputs, streams, voice.rate);
    case LowNibbleForm::vendor11Blocks: return writeVendor11BlockFile(inputs, streams, voice.rate);
    case LowNibbleForm::vendor31: return writeVendor31File(inputs, streams, voice.rate);
    }
    return {};
}

int writeTarget(const LowNibbleTarget& target, const MfiDriverContext& context) {
    const TargetBlock& block = context.settings[static_cast<std::size_t>(target.target)];
    const bool singleRest = isSingleRest(target.form);
    const int tooLarge = singleRest ? singleRestTooLarge : tooLarge0300;
    const int createFailed = singleRest ? singleRestCreateFailed : createFailed0300;

    StepVoice voice;
    if (!encodeStepVoice(lowNibbleFiles(context.temps), chooseVoiceOption(block, target.offered),
                         mfiByteBudget(target.target, block, context.options.userSizeLimit),
                         suite::StepAdpcmPacking::lowNibbleFirst, voice))
        return openFailed;

    const auto file = writeFile(target.form, mfiWriterInputs(context, block), voice);
    if (file.empty()) return tooLarge;
    // The one-record forms keep to the model's size unless the user's limit replaces it.
    const std::size_t limit = block.largeBudget ? inlineFileLimitLarge : inlineFileLimitSmall;
    if (target.form != LowNibbleForm::vendor11Blocks && !block.useUserLimit && file.size() > limit)
        return tooLarge;
    return writeMfiOutput(block.outputPath, file) ? 0 : createFailed;
}

} // namespace

int runLowNibbleDriver(const MfiDriverContext& context) {
    for (const LowNibbleTarget& target : lowNibbleTargets) {
        if (!context.settings[static_cast<std::size_t>(target.target)].enabled) continue;
        int code = 0;
        try {
            code = writeTarget(target, context);
        } catch (const std::bad_alloc&) {
            code = isSingleRest(target.form) ? singleRestTooLarge : tooLarge0300;
        }
        if (code != 0) return code;
    }
    return 0;
}

} // namespace cw
