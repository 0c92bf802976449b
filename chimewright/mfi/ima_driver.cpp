// The IMA driver: l600 and n600 (four-track, prefixes F1 08 00 0F and 11 11 00 00) and m702
// ("adat" "0400"); one open code and one create code per target.
#include "chimewright/driver/result_codes.hpp"
#include "chimewright/mfi/ima_adat_voice.hpp"
#include "chimewright/mfi/ima_four_track_writer.hpp"
#include "chimewright/mfi/ima_voice.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"

#include <new>

namespace cw {

namespace {

struct ImaTarget {
    int target;
    bool adat;
    ImaRecordPrefix prefix; // of the four-track records
    int openFailed;
    int createFailed;
};

constexpr std::uint32_t offered = option::unlimited | option::rate8k | option::rate16k;

constexpr ImaTarget imaTargets[] = {
    {targetL600, false, imaPrefixF108, result::l600OpenFailed, result::l600CreateFailed},
    {targetN600, false, imaPrefixVendor11, result::n600OpenFailed, result::n600CreateFailed},
    {targetM702, true, {}, result::m702OpenFailed, result::m702CreateFailed},
};

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

int writeTarget(const ImaTarget& target, const MfiDriverContext& context) {
    const TargetBlock& block = context.settings[static_cast<std::size_t>(target.target)];
    const std::size_t budget = mfiByteBudget(target.target, block, context.options.userSizeLimit);
    ImaVoice voice;
    if (!encodeImaVoice(imaDriverFiles(context.temps), chooseVoiceOption(block, offered),
                        budget, voice))
        return target.openFailed;

    const MfiWriterInputs inputs = mfiWriterInputs(context, block);
    const auto file = target.adat ? writeImaAdatFile(inputs, voice)
                                  : writeImaFourTrackFile(target.prefix, inputs, voice);
    return writeMfiOutput(block.outputPath, file) ? 0 : target.createFailed;
}

} // namespace

int runImaDriver(const MfiDriverContext& context) {
    for (const ImaTarget& target : imaTargets) {
        if (!context.settings[static_cast<std::size_t>(target.target)].enabled) continue;
        int code = 0;
        try {
            code = writeTarget(target, context);
        } catch (const std::bad_alloc&) {
            code = target.createFailed; // no file is written
        }
        if (code != 0) return code;
    }
    return 0;
}

} // namespace cw
