#include "chimewright/mfi/forms/g726_adat_voice.hpp"

#include "chimewright/mfi/forms/adat_writer.hpp"
#include "chimewright/mfi/forms/g726_layout.hpp"

namespace cw {

namespace mfi = suite::mfi;

std::vector<unsigned char> writeG726AdatFile(std::string_view version, const MfiWriterInputs& inputs,
                                             const G726Voice& voice) {
    const VoiceStreams& s = voice.streams;
    std::vector<unsigned char> data = s.left;
    if (s.stereo) data.insert(data.end(), s.right.begin(), s.right.end());
    const auto audioInfo = g726AudioInfo(voice.rate);
    AdatLayout layout{.version = version, .codec = mfi::adatCodecG726, .loopBeforeStart = true};
    if (version == mfi::version0400) layout.audioInfo = audioInfo;
    const AdatVoice adat{
        .rateKHz = g726AdatRateKHz(voice.rate),
        .bitsPerCode = static_cast<unsigned char>(voice.twoBit ? 2 : 4),
        .channelLayout = s.stereo ? mfi::adatStereoSplit : mfi::adatMono,
        .data = data,
        .ticks = g726VoiceTicks(s.left.size(), voice.rate, voice.twoBit),
    };
    return writeAdatFile(layout, inputs, adat);
}

} // namespace cw
