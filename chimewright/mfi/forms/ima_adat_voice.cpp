#include "chimewright/mfi/forms/ima_adat_voice.hpp"

#include "chimewright/mfi/forms/adat_writer.hpp"
#include "chimewright/mfi/voice/step_adat_voice.hpp"

namespace cw {

namespace mfi = suite::mfi;

std::vector<unsigned char> writeImaAdatFile(const MfiWriterInputs& inputs, const ImaVoice& voice) {
    const VoiceStreams& s = voice.streams;
    std::vector<unsigned char> data = s.left;
    if (s.stereo) data.insert(data.end(), s.right.begin(), s.right.end());
    const AdatVoice adat{
        .rateKHz = static_cast<unsigned char>(voice.rate / 1000),
        .bitsPerCode = 4,
        .channelLayout = s.stereo ? mfi::adatStereoSplit : mfi::adatMono,
        .data = data,
        // Same length rule as the step-ADPCM "adat" file: bytes × 2 / rate + 0.05 s.
        .ticks = stepAdatTicks(s.left.size(), voice.rate),
    };
    return writeAdatFile({.version = mfi::version0400, .codec = mfi::adatCodecIma}, inputs, adat);
}

} // namespace cw
