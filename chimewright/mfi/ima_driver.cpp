// The IMA writer: four-track (records headed F1 08 00 0F or 11 11 00 00) or "adat" "0400"
// file as the row says.
#include "chimewright/job/temp_files.hpp"
#include "chimewright/mfi/forms/ima_adat_voice.hpp"
#include "chimewright/mfi/forms/ima_four_track_writer.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "chimewright/mfi/voice/ima_voice.hpp"

namespace cw {

namespace {

ImaVoiceFiles imaDriverFiles(const TempWavSet& temps) {
    // The 8 kHz option reads the 8 kHz reader's own file (temps.latest8k), as the step
    // drivers do.
    return ImaVoiceFiles{
        .mono8k = temps.latest8kPath(),
        .mono16k = temps.path(TempWav::mono16k),
        .left8k = temps.path(TempWav::left8k),
        .right8k = temps.path(TempWav::right8k),
        .left16k = temps.path(TempWav::left16k),
        .right16k = temps.path(TempWav::right16k),
    };
}

} // namespace

int writeImaTarget(const TargetRow& row, const TargetBlock& block,
                   const MfiDriverContext& context) {
    const std::size_t budget = mfiByteBudget(row, block, context.options.userSizeLimit);
    ImaVoice voice;
    if (!encodeImaVoice(imaDriverFiles(context.temps), chooseVoiceOption(block, row.options),
                        budget, voice))
        return row.codes.openFailed;

    const MfiWriterInputs inputs = mfiWriterInputs(context, block);
    const auto file =
        row.form == MfiForm::adat ? writeImaAdatFile(inputs, voice)
        : writeImaFourTrackFile(row.form == MfiForm::fourTrackF108 ? imaPrefixF108 : imaPrefixVendor11,
                                inputs, voice);
    return writeOutputFile(block.outputPath, file) ? 0 : row.codes.createFailed;
}

} // namespace cw
