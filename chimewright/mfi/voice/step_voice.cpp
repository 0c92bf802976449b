#include "chimewright/mfi/voice/step_voice.hpp"

#include "shared/step_adpcm_channel.hpp"
#include "shared/temp_wav.hpp"

#include <algorithm>

namespace cw {

namespace {

// One channel stream; false when the file cannot be opened.
bool encodeChannel(const platform::Path& path, bool everyOtherSample, std::size_t budget,
                   suite::StepAdpcmPacking packing, std::vector<unsigned char>& stream) {
    const auto image = readTempImage(path);
    if (!image) return false;
    // Room for every byte the image can give, never more than the budget.
    const std::size_t advance = everyOtherSample ? 8 : 4;
    const std::size_t sampleBytes =
        image->size() > suite::tempWavHeaderSize ? image->size() - suite::tempWavHeaderSize : 0;
    stream.assign(std::min(budget, (sampleBytes + advance - 1) / advance), 0);
    const suite::StepAdpcmChannelOptions options{packing, everyOtherSample, budget};
    stream.resize(suite::encodeStepAdpcmChannel(*image, options, stream));
    return true;
}

} // namespace

bool encodeStepVoice(const StepVoiceFiles& files, VoiceOption option, std::size_t budget,
                     suite::StepAdpcmPacking packing, StepVoice& voice) {
    if (option == VoiceOption::mono32k2bit || option == VoiceOption::mono32k4bit)
        option = VoiceOption::mono8k; // never offered with step ADPCM
    voice = StepVoice{};
    voice.rate = voiceOptionRate(option);
    voice.stereo = isStereoOption(option);
    if (voice.stereo) {
        const bool at8k = option == VoiceOption::stereo8k;
        if (!encodeChannel(at8k ? files.left8k : files.left16k, false, budget, packing, voice.left))
            return false;
        if (!encodeChannel(at8k ? files.right8k : files.right16k, false, budget / 2, packing,
                           voice.right))
            return false;
        const std::size_t shorter = std::min(voice.left.size(), voice.right.size());
        voice.left.resize(shorter);
        voice.right.resize(shorter);
        return true;
    }
    switch (option) {
    case VoiceOption::rate4k: return encodeChannel(files.mono4k, true, budget, packing, voice.left);
    case VoiceOption::mono16k:
        return encodeChannel(files.mono16k, false, budget, packing, voice.left);
    default: return encodeChannel(files.mono8k, false, budget, packing, voice.left);
    }
}

} // namespace cw
