#include "chimewright/mfi/voice/ima_voice.hpp"

#include "shared/ima_adpcm.hpp"
#include "shared/ima_adpcm_channel.hpp"
#include "shared/temp_wav.hpp"

#include <algorithm>

namespace cw {

std::vector<unsigned char> encodeImaChannel(std::span<const unsigned char> wavImage,
                                            std::size_t budget) {
    // Blocks depend only on the samples before them, so converting just the samples of the
    // blocks kept gives the same bytes as converting everything and cutting.
    const std::size_t blocks = budget / suite::imaAdpcmBlockBytes;
    const std::size_t keptImageBytes =
        suite::tempWavHeaderSize + blocks * suite::imaAdpcmSamplesPerBlock * 2;
    const auto image = wavImage.first(std::min(wavImage.size(), keptImageBytes));
    std::vector<unsigned char> out(suite::imaAdpcmChannelSize(image));
    out.resize(suite::encodeImaAdpcmChannel(image, out));
    return out;
}

namespace {

bool encodeFile(const platform::Path& file, std::size_t budget, std::vector<unsigned char>& out) {
    const auto image = readTempImage(file);
    if (!image) return false;
    out = encodeImaChannel(*image, budget);
    return true;
}

} // namespace

bool encodeImaVoice(const ImaVoiceFiles& files, VoiceOption option, std::size_t budget,
                    ImaVoice& voice) {
    voice = ImaVoice{};
    const bool at16k = option == VoiceOption::mono16k || option == VoiceOption::stereo16k;
    voice.rate = at16k ? 16000 : 8000;
    switch (option) {
    case VoiceOption::stereo8k:
        return encodeStereoStreams(encodeFile, files.left8k, files.right8k, budget, voice.streams);
    case VoiceOption::stereo16k:
        return encodeStereoStreams(encodeFile, files.left16k, files.right16k, budget, voice.streams);
    case VoiceOption::mono16k: return encodeMonoStream(encodeFile, files.mono16k, budget, voice.streams);
    default: return encodeMonoStream(encodeFile, files.mono8k, budget, voice.streams);
    }
}

} // namespace cw
