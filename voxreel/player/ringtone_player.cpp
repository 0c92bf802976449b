#include "voxreel/player/ringtone_player.hpp"

#include "voxreel/model/mfi_file.hpp"
#include "voxreel/model/smaf_voice.hpp"
#include "voxreel/model/type_label.hpp"

#include <cstring>

namespace voxreel {

namespace {

bool startsWith(std::span<const unsigned char> buffer, const char* id) {
    return buffer.size() >= 4 && std::memcmp(buffer.data(), id, 4) == 0;
}

bool playSmaf(std::span<const unsigned char> buffer, DisplayTexts& texts,
              VoiceRenderer& renderer) {
    const SmafVoice voice = findSmafVoice(buffer);
    texts.title = displayText(voice.title);
    texts.copyright = displayText(voice.copyright);
    trimTrailingBlanks(texts.title);
    trimTrailingBlanks(texts.copyright);
    if (!voice.found) return false;

    renderer.beginRenderJob();
    BlockRenderRequest request;
    request.vendorCode = 0x11;
    request.variantCode = variant::standard;
    request.data = buffer.subspan(voice.audioOffset, voice.audioLength);
    request.sampleRate = voice.rate;
    request.volume = 63;
    request.pan = 32;
    request.startMs = 0;
    renderer.renderBlock(request);
    renderer.play();
    texts.label = smafTypeLabel(voice.rate);
    return true;
}

void playMfi(std::span<const unsigned char> buffer, DisplayTexts& texts, VoiceRenderer& renderer) {
    MfiFile file = MfiFile::parse(buffer);
    texts.title = displayText(file.info[infoTitl].data());
    texts.copyright = displayText(file.info[infoCopy].data());
    const MfiRenderResult result = file.render(renderer);
    texts.label = displayText(
        formatTypeLabel(result.version, result.vendorCode, result.variantCode, result.rate));
    trimTrailingBlanks(texts.title);
    trimTrailingBlanks(texts.copyright);
}

} // namespace

bool playRingtoneBuffer(std::span<const unsigned char> buffer, DisplayTexts& texts,
                        VoiceRenderer& renderer) {
    texts.clear();
    if (startsWith(buffer, "MMMD")) return playSmaf(buffer, texts, renderer);
    if (startsWith(buffer, "melo")) {
        playMfi(buffer, texts, renderer);
        return true;
    }
    return false;
}

} // namespace voxreel
