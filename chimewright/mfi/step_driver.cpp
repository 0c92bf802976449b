// The conditioned step-ADPCM writer: high nibble first, inline, block, stereo block or "adat"
// file as the row says.
#include "chimewright/job/temp_files.hpp"
#include "chimewright/mfi/forms/block_voice_writer.hpp"
#include "chimewright/mfi/forms/inline_voice_writer.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "chimewright/mfi/step_driver.hpp"
#include "chimewright/mfi/voice/step_adat_voice.hpp"
#include "chimewright/mfi/voice/step_voice.hpp"
#include "shared/mfi_format.hpp"

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

// V 82, or V 80 in the "0301" block files.
unsigned char blockPanRecord(std::string_view version) {
    return version == mfi::version0301 ? mfi::recordPanAlt : mfi::recordPan;
}

int writeInline(const TargetRow& row, const TargetBlock& block, const MfiWriterInputs& inputs,
                const StepVoice& voice) {
    const InlineVoiceLayout layout{row.header.vendor, row.header.version, mfi::tempo10ms};
    const auto file = writeInlineVoiceFile(
        layout, inputs, voice.left, voice.rate,
        stepInlineTicks(voice.left.size(), voice.rate, inputs.extraSilenceMs));
    return writeInlineWithinLimit(row, block, file);
}

} // namespace

int writeInlineWithinLimit(const TargetRow& row, const TargetBlock& block,
                           const std::vector<unsigned char>& file) {
    if (file.empty()) return row.codes.tooLarge;
    const std::size_t limit = block.largeBudget ? inlineFileLimitLarge : inlineFileLimitSmall;
    if (!block.useUserLimit && file.size() > limit) return row.codes.tooLarge;
    return writeOutputFile(block.outputPath, file) ? 0 : row.codes.createFailed;
}

int writeStepTarget(const TargetRow& row, const TargetBlock& block,
                    const MfiDriverContext& context) {
    const std::size_t budget = mfiByteBudget(row, block, context.options.userSizeLimit);
    const VoiceOption option = chooseVoiceOption(block, row.options);

    StepVoice voice;
    if (!encodeStepVoice(stepDriverFiles(context.temps), option, budget,
                         suite::StepAdpcmPacking::highNibbleFirst, voice))
        return row.codes.openFailed;

    const MfiWriterInputs inputs = mfiWriterInputs(context, block);
    const bool useInline =
        !voice.stereo && (row.form == MfiForm::inlineVoice ||
                          (row.form == MfiForm::inlineOrBlock &&
                           voice.left.size() < inlineStreamLimit));
    if (useInline) return writeInline(row, block, inputs, voice);

    std::vector<unsigned char> file;
    if (row.form == MfiForm::adat) {
        file = writeStepAdatFile(inputs, voice);
    } else {
        const BlockVoiceLayout layout{row.header.vendor, row.header.version,
                                      blockPanRecord(row.header.version)};
        file = voice.stereo
                   ? writeStereoBlockVoiceFile(layout, inputs, voice.left, voice.right, voice.rate)
                   : writeBlockVoiceFile(layout, inputs, voice.left, voice.rate);
    }
    return writeOutputFile(block.outputPath, file) ? 0 : row.codes.blockCreate();
}

} // namespace cw
