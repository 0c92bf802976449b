#include "chimewright/mfi/step_driver.hpp"

#include "chimewright/mfi/block_voice_writer.hpp"
#include "chimewright/mfi/inline_voice_writer.hpp"
#include "chimewright/mfi/step_adat_voice.hpp"
#include "chimewright/mfi/step_voice.hpp"

#include <new>

namespace cw {

namespace mfi = suite::mfi;

namespace {

StepVoiceFiles stepDriverFiles(const TempWavSet& temps) {
    // The 8 kHz mono and 4 kHz options read the 8 kHz reader's own file, whichever 8 kHz render
    // the job made last (temps.latest8k): the mono render when any target asked for it, else
    // the narrow one, else the right channel. The 4 kHz option takes every other sample.
    return StepVoiceFiles{
        .mono8k = temps.latest8kPath(),
        .mono4k = temps.latest8kPath(),
        .mono16k = temps.path(TempWav::mono16k),
        .left8k = temps.path(TempWav::left8k),
        .right8k = temps.path(TempWav::right8k),
        .left16k = temps.path(TempWav::left16k),
        .right16k = temps.path(TempWav::right16k),
    };
}

int writeInline(const StepDriverPlan& plan, const TargetBlock& block,
                const MfiWriterInputs& inputs, const StepVoice& voice) {
    const InlineVoiceLayout layout{plan.vendor, plan.inlineVersion, mfi::tempo10ms};
    const auto file = writeInlineVoiceFile(
        layout, inputs, voice.left, voice.rate,
        stepInlineTicks(voice.left.size(), voice.rate, inputs.extraSilenceMs));
    if (file.empty()) return plan.tooLarge;
    const std::size_t limit = block.largeBudget ? inlineFileLimitLarge : inlineFileLimitSmall;
    if (!block.useUserLimit && file.size() > limit) return plan.tooLarge;
    return writeMfiOutput(block.outputPath, file) ? 0 : plan.inlineCreateFailed;
}

int writeTarget(const StepDriverPlan& plan, const StepTargetPlan& target,
                const MfiDriverContext& context) {
    const TargetBlock& block = context.settings[static_cast<std::size_t>(target.target)];
    const std::size_t budget =
        mfiByteBudget(target.target, block, context.options.userSizeLimit);
    const VoiceOption option = chooseVoiceOption(block, target.offered);

    StepVoice voice;
    if (!encodeStepVoice(stepDriverFiles(context.temps), option, budget,
                         suite::StepAdpcmPacking::highNibbleFirst, voice))
        return plan.openFailed;

    const MfiWriterInputs inputs = mfiWriterInputs(context, block);
    const bool useInline =
        !voice.stereo && (target.form == StepFileForm::inlineVoice ||
                          (target.form == StepFileForm::inlineOrBlock &&
                           voice.left.size() < inlineStreamLimit));
    if (useInline) return writeInline(plan, block, inputs, voice);

    std::vector<unsigned char> file;
    if (target.form == StepFileForm::adat) {
        file = writeStepAdatFile(inputs, voice);
    } else {
        const BlockVoiceLayout layout{plan.vendor, plan.blockVersion, plan.blockPanRecord};
        file = voice.stereo
                   ? writeStereoBlockVoiceFile(layout, inputs, voice.left, voice.right, voice.rate)
                   : writeBlockVoiceFile(layout, inputs, voice.left, voice.rate);
    }
    return writeMfiOutput(block.outputPath, file) ? 0 : plan.blockCreateFailed;
}

} // namespace

int runStepDriver(const StepDriverPlan& plan, const MfiDriverContext& context) {
    for (const StepTargetPlan& target : plan.targets) {
        if (!context.settings[static_cast<std::size_t>(target.target)].enabled) continue;
        int code = 0;
        try {
            code = writeTarget(plan, target, context);
        } catch (const std::bad_alloc&) {
            code = plan.tooLarge; // no file is written
        }
        if (code != 0) return code;
    }
    return 0;
}

} // namespace cw
