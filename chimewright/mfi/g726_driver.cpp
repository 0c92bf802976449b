// The G.726 driver: d211, d505, p505, sh252, so505is, sa702 and p903, each with its own
// create code; 7003 when a temporary file cannot be opened, 7002 when the inline file is too
// large or its header does not fit.
#include "chimewright/driver/result_codes.hpp"
#include "chimewright/mfi/g726_adat_voice.hpp"
#include "chimewright/mfi/g726_four_track_writer.hpp"
#include "chimewright/mfi/g726_layout.hpp"
#include "chimewright/mfi/g726_single_track_writer.hpp"
#include "chimewright/mfi/g726_voice.hpp"
#include "chimewright/mfi/inline_voice_writer.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"
#include "chimewright/mfi/step_driver.hpp"

#include <new>
#include <string_view>

namespace cw {

namespace mfi = suite::mfi;

namespace {

enum class G726Form { inlineVoice, singleTrack, fourTrack, adat };

struct G726Target {
    int target;
    std::uint32_t offered;
    G726Form form;
    unsigned char vendor; // of the voice records; unused by the "adat" files
    std::string_view version;
    int createFailed;
};

constexpr std::uint32_t offersLow = option::unlimited | option::rate4k | option::rate8k;
constexpr std::uint32_t offersAll = offersLow | option::stereo8k | option::rate16k |
                                    option::stereo16k | option::rate32k2bit | option::rate32k4bit;

constexpr G726Target g726Targets[] = {
    {targetD211, offersLow, G726Form::inlineVoice, mfi::vendor61, mfi::version0200, result::d211CreateFailed},
    {targetD505, offersAll, G726Form::singleTrack, mfi::vendor61, mfi::version0300, result::d505CreateFailed},
    {targetP505, offersAll, G726Form::fourTrack, mfi::vendor41, mfi::version0300, result::p505CreateFailed},
    {targetSh252, offersAll, G726Form::fourTrack, mfi::vendor71, mfi::version0300, result::sh252CreateFailed},
    {targetSo505is, offersAll, G726Form::fourTrack, mfi::vendor31, mfi::version0301, result::so505isCreateFailed},
    {targetSa702, offersAll, G726Form::adat, 0, mfi::version0400, result::sa702CreateFailed},
    {targetP903, offersAll, G726Form::adat, 0, mfi::version0500, result::p903CreateFailed},
};

constexpr int openFailed = result::g726OpenFailed;
constexpr int tooLarge = result::g726TooLarge;

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

int writeInline(const G726Target& target, const TargetBlock& block, const MfiWriterInputs& inputs,
                G726Voice& voice) {
    std::vector<unsigned char>& stream = voice.streams.left;
    if (block.useUserLimit && stream.size() > inlineUserLimit) stream.resize(inlineUserLimit);
    const InlineVoiceLayout layout{target.vendor, target.version, mfi::tempo8_333ms, true};
    const auto file =
        writeInlineVoiceFile(layout, inputs, stream, voice.rate,
                             g726InlineTicks(stream.size(), voice.rate, inputs.extraSilenceMs));
    if (file.empty()) return tooLarge;
    const std::size_t limit = block.largeBudget ? inlineFileLimitLarge : inlineFileLimitSmall;
    if (!block.useUserLimit && file.size() > limit) return tooLarge;
    return writeMfiOutput(block.outputPath, file) ? 0 : target.createFailed;
}

int writeTarget(const G726Target& target, const MfiDriverContext& context) {
    const TargetBlock& block = context.settings[static_cast<std::size_t>(target.target)];
    const std::size_t budget = mfiByteBudget(target.target, block, context.options.userSizeLimit);
    const VoiceOption option = chooseVoiceOption(block, target.offered);

    G726Voice voice;
    if (!encodeG726Voice(g726DriverFiles(context.temps), option, budget, voice))
        return openFailed;

    const MfiWriterInputs inputs = mfiWriterInputs(context, block);
    std::vector<unsigned char> file;
    switch (target.form) {
    case G726Form::inlineVoice: return writeInline(target, block, inputs, voice);
    case G726Form::singleTrack: file = writeG726SingleTrackFile(inputs, voice); break;
    case G726Form::fourTrack:
        file = writeG726FourTrackFile({target.vendor, target.version}, inputs, voice);
        break;
    case G726Form::adat: file = writeG726AdatFile(target.version, inputs, voice); break;
    }
    return writeMfiOutput(block.outputPath, file) ? 0 : target.createFailed;
}

} // namespace

int runG726Driver(const MfiDriverContext& context) {
    for (const G726Target& target : g726Targets) {
        if (!context.settings[static_cast<std::size_t>(target.target)].enabled) continue;
        int code = 0;
        try {
            code = writeTarget(target, context);
        } catch (const std::bad_alloc&) {
            code = tooLarge; // no file is written
        }
        if (code != 0) return code;
    }
    return 0;
}

} // namespace cw
