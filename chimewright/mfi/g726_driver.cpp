// The G.726 writer: inline, single-track, four-track or "adat" file as the row says; the
// row's codes for a temporary file that cannot be opened, a too large inline file and a file
// that cannot be written.
#include "chimewright/job/temp_files.hpp"
#include "chimewright/mfi/forms/g726_adat_voice.hpp"
#include "chimewright/mfi/forms/g726_four_track_writer.hpp"
#include "chimewright/mfi/forms/g726_layout.hpp"
#include "chimewright/mfi/forms/g726_single_track_writer.hpp"
#include "chimewright/mfi/forms/inline_voice_writer.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "chimewright/mfi/step_driver.hpp"
#include "chimewright/mfi/voice/g726_voice.hpp"
#include "shared/mfi_format.hpp"

namespace cw {

namespace mfi = suite::mfi;

namespace {

// The inline record holds at most this much voice under "Unlimited".
constexpr std::size_t inlineUserLimit = 65200;

G726VoiceFiles g726DriverFiles(const TempWavSet& temps) {
    // The "4kHz" option codes the 8 kHz mono file with 2-bit words.
    return G726VoiceFiles{
        .mono8k = temps.path(TempWav::mono8k),
        .lowRate8k = temps.path(TempWav::mono8k),
        .mono16k = temps.path(TempWav::mono16k),
        .mono32k = temps.path(TempWav::mono32k),
        .left8k = temps.path(TempWav::left8k),
        .right8k = temps.path(TempWav::right8k),
        .left16k = temps.path(TempWav::left16k),
        .right16k = temps.path(TempWav::right16k),
    };
}

int writeInline(const TargetRow& row, const TargetBlock& block, const MfiWriterInputs& inputs,
                G726Voice& voice) {
    std::vector<unsigned char>& stream = voice.streams.left;
    if (block.useUserLimit && stream.size() > inlineUserLimit) stream.resize(inlineUserLimit);
    const InlineVoiceLayout layout{row.header.vendor, row.header.version, mfi::tempo8_333ms, true};
    const auto file =
        writeInlineVoiceFile(layout, inputs, stream, voice.rate,
                             g726InlineTicks(stream.size(), voice.rate, inputs.extraSilenceMs));
    return writeInlineWithinLimit(row, block, file);
}

} // namespace

int writeG726Target(const TargetRow& row, const TargetBlock& block,
                    const MfiDriverContext& context) {
    const std::size_t budget = mfiByteBudget(row, block, context.options.userSizeLimit);
    const VoiceOption option = chooseVoiceOption(block, row.options);

    G726Voice voice;
    if (!encodeG726Voice(g726DriverFiles(context.temps), option, budget, voice))
        return row.codes.openFailed;

    const MfiWriterInputs inputs = mfiWriterInputs(context, block);
    std::vector<unsigned char> file;
    switch (row.form) {
    case MfiForm::inlineVoice: return writeInline(row, block, inputs, voice);
    case MfiForm::singleTrack: file = writeG726SingleTrackFile(inputs, voice); break;
    case MfiForm::fourTrack:
        file = writeG726FourTrackFile({row.header.vendor, row.header.version}, inputs, voice);
        break;
    case MfiForm::adat: file = writeG726AdatFile(row.header.version, inputs, voice); break;
    default: return 0;
    }
    return writeOutputFile(block.outputPath, file) ? 0 : row.codes.createFailed;
}

} // namespace cw
