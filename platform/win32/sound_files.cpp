// Sound files of other formats than WAVE: Windows decodes WAVE files only (audio_decode.cpp),
// so every other file stays one that no decoder reads.
#include "platform/audio_decode.hpp"

namespace platform {

int decodeSoundFile(const Path&, PcmAudio&) {
    return decodeNotASoundFile;
}

bool isReadableSoundFile(const Path&) {
    return false;
}

std::string soundFileDecoder() {
    return {};
}

std::vector<std::string> soundFileFormats() {
    return {};
}

} // namespace platform
