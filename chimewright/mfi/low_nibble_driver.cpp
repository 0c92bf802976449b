// The low-nibble writer: step ADPCM from raw samples, low nibble first, in the single-rest
// "0200" form (vendor from the row), the vendor 0x11 short or block form or the vendor 0x31
// form as the row says.
#include "chimewright/job/temp_files.hpp"
#include "chimewright/mfi/forms/single_rest_writer.hpp"
#include "chimewright/mfi/forms/vendor11_writer.hpp"
#include "chimewright/mfi/forms/vendor31_writer.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "chimewright/mfi/step_driver.hpp"
#include "chimewright/mfi/voice/step_voice.hpp"
#include "shared/mfi_format.hpp"

namespace cw {

namespace {

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

std::vector<unsigned char> writeFile(const TargetRow& row, const MfiWriterInputs& inputs,
                                     const StepVoice& voice) {
    VoiceStreams streams{voice.left, voice.right, voice.stereo};
    switch (row.form) {
    case MfiForm::singleRest: {
        const SingleRestVendor vendor = row.header.vendor == suite::mfi::vendor21
                                            ? SingleRestVendor::vendor21
                                            : SingleRestVendor::vendor11;
        return writeSingleRestFile(vendor, inputs, voice.left, voice.rate);
    }
    case MfiForm::vendor11Short: return writeVendor11ShortFile(inputs, streams, voice.rate);
    case MfiForm::vendor11Blocks: return writeVendor11BlockFile(inputs, streams, voice.rate);
    case MfiForm::vendor31: return writeVendor31File(inputs, streams, voice.rate);
    default: return {};
    }
}

} // namespace

int writeLowNibbleTarget(const TargetRow& row, const TargetBlock& block,
                         const MfiDriverContext& context) {
    StepVoice voice;
    if (!encodeStepVoice(lowNibbleFiles(context.temps), chooseVoiceOption(block, row.options),
                         mfiByteBudget(row, block, context.options.userSizeLimit),
                         suite::StepAdpcmPacking::lowNibbleFirst, voice))
        return row.codes.openFailed;

    const auto file = writeFile(row, mfiWriterInputs(context, block), voice);
    if (file.empty()) return row.codes.tooLarge;
    // The one-record forms keep to the model's size unless the user's limit replaces it.
    const std::size_t limit = block.largeBudget ? inlineFileLimitLarge : inlineFileLimitSmall;
    if (row.form != MfiForm::vendor11Blocks && !block.useUserLimit && file.size() > limit)
        return row.codes.tooLarge;
    return writeOutputFile(block.outputPath, file) ? 0 : row.codes.createFailed;
}

} // namespace cw
