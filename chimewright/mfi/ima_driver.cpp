// The IMA writer: four-track (records headed F1 08 00 0F or 11 11 00 00) or "adat" "0400"
// file as the row says.
#include "chimewright/job/temp_files.hpp"
#include "chimewright/mfi/ima_adat_voice.hpp"
#include "chimewright/mfi/ima_four_track_writer.hpp"
#include "chimewright/mfi/ima_voice.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"

namespace cw {

namespace {

ImaVoiceFiles imaDriverFiles(const platform::Path& work) {
    return ImaVoiceFiles{
        .mono8k = tempPath(work, "_cwmtmp.wav"),
        .mono16k = tempPath(work, "_cwsmtmp.wav"),
        .left8k = tempPath(work, "_cwmltmp.wav"),
        .right8k = tempPath(work, "_cwmrtmp.wav"),
        .left16k = tempPath(work, "_cwhltmp.wav"),
        .right16k = tempPath(work, "_cwhrtmp.wav"),
    };
}

} // namespace

int writeImaTarget(const TargetRow& row, const TargetBlock& block,
                   const MfiDriverContext& context) {
    const std::size_t budget = mfiByteBudget(row, block, context.options.userSizeLimit);
    ImaVoice voice;
    if (!encodeImaVoice(imaDriverFiles(context.workFolder), chooseVoiceOption(block, row.options),
                        budget, voice))
        return row.codes.openFailed;

    const MfiWriterInputs inputs = mfiWriterInputs(context, block);
    const auto file =
        row.form == MfiForm::adat ? writeImaAdatFile(inputs, voice)
        : writeImaFourTrackFile(row.form == MfiForm::fourTrackF108 ? imaPrefixF108 : imaPrefixVendor11,
                                inputs, voice);
    return writeMfiOutput(block.outputPath, file) ? 0 : row.codes.createFailed;
}

} // namespace cw
