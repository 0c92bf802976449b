#include "chimewright/mfi/voice/g726_voice.hpp"

#include "shared/g726_channel.hpp"
#include "shared/temp_wav.hpp"

#include <algorithm>

namespace cw {

namespace {

ChannelEncoder g726Encoder(suite::G726CodeWidth width) {
    return [width](const platform::Path& file, std::size_t budget, std::vector<unsigned char>& out) {
        const auto image = readTempImage(file);
        if (!image) return false;
        // Room for every byte the image can give, never more than the budget.
        const std::size_t imageBytesPerByte = 2 * suite::g726SamplesPerByte(width);
        const std::size_t sampleBytes =
            image->size() > suite::tempWavHeaderSize ? image->size() - suite::tempWavHeaderSize : 0;
        out.assign(std::min(budget, (sampleBytes + imageBytesPerByte - 1) / imageBytesPerByte), 0);
        out.resize(suite::encodeG726Channel(*image, width, budget, out));
        return true;
    };
}

} // namespace

bool encodeG726Voice(const G726VoiceFiles& files, VoiceOption option, std::size_t budget,
                     G726Voice& voice) {
    voice = G726Voice{};
    voice.twoBit = option == VoiceOption::rate4k || option == VoiceOption::mono32k2bit;
    voice.rate = voiceOptionRate(option);
    const auto encode =
        g726Encoder(voice.twoBit ? suite::G726CodeWidth::twoBits : suite::G726CodeWidth::fourBits);
    switch (option) {
    case VoiceOption::rate4k: return encodeMonoStream(encode, files.lowRate8k, budget, voice.streams);
    case VoiceOption::mono16k: return encodeMonoStream(encode, files.mono16k, budget, voice.streams);
    case VoiceOption::mono32k2bit:
    case VoiceOption::mono32k4bit:
        return encodeMonoStream(encode, files.mono32k, budget, voice.streams);
    case VoiceOption::stereo8k:
        return encodeStereoStreams(encode, files.left8k, files.right8k, budget, voice.streams);
    case VoiceOption::stereo16k:
        return encodeStereoStreams(encode, files.left16k, files.right16k, budget, voice.streams);
    default: return encodeMonoStream(encode, files.mono8k, budget, voice.streams);
    }
}

} // namespace cw
