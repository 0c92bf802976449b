#include "chimewright/cli/decode_back.hpp"

#include "voxreel/model/display_texts.hpp"
#include "voxreel/player/ringtone_player.hpp"
#include "voxreel/render/sound_output.hpp"
#include "voxreel/render/voice_renderer.hpp"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

namespace cw::cli {

namespace {

// Adds `samples` into `channel` from `start` on, growing it as needed.
void mixInto(std::vector<std::int16_t>& channel, std::int64_t start,
             const std::vector<std::int16_t>& samples) {
    if (start < 0) return;
    const auto from = static_cast<std::size_t>(start);
    if (channel.size() < from + samples.size()) channel.resize(from + samples.size(), 0);
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const int sum = channel[from + k] + samples[k];
        channel[from + k] = static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
    }
}

} // namespace

std::optional<DecodedSound> decodeWithPlayer(const std::string& bytes,
                                             const platform::Path& scratchFolder) {
    voxreel::SilentSoundOutput quiet;
    voxreel::VoiceRenderer renderer(quiet, scratchFolder);
    renderer.keepDecodedVoices(true);
    voxreel::DisplayTexts texts;
    const auto image = std::span<const unsigned char>(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    if (!voxreel::playRingtoneBuffer(image, texts, renderer)) return std::nullopt;

    // Each decoded pass goes where its pan puts it: left of centre to the left channel,
    // right of it to the right, the centre to both (a mono voice).
    // Time counts from the first voice: a file whose first play event comes a tick late
    // still holds its sound from the start.
    const auto& voices = renderer.renderedVoices();
    std::int64_t first = -1;
    for (const voxreel::RenderedVoice& voice : voices)
        if (!voice.decoded.empty() && (first < 0 || voice.startFrame < first))
            first = voice.startFrame;
    std::vector<std::int16_t> left, right;
    bool stereo = false;
    DecodedSound sound;
    for (const voxreel::RenderedVoice& voice : voices) {
        if (voice.decoded.empty()) continue;
        if (sound.rate == 0) sound.rate = static_cast<int>(std::lround(voice.sampleRate));
        if (voice.pan != 32) stereo = true;
        if (voice.pan <= 32) mixInto(left, voice.startFrame - first, voice.decoded);
        if (voice.pan >= 32) mixInto(right, voice.startFrame - first, voice.decoded);
    }
    if (sound.rate == 0) return std::nullopt;
    if (stereo) {
        const std::size_t length = std::max(left.size(), right.size());
        left.resize(length, 0);
        right.resize(length, 0);
        sound.channels = {std::move(left), std::move(right)};
    } else {
        sound.channels = {std::move(left)};
    }
    return sound;
}

namespace {

// libvorbis reads the file image through these.
struct MemoryFile {
    const std::string& bytes;
    std::size_t at = 0;
};

std::size_t readMemory(void* into, std::size_t size, std::size_t count, void* source) {
    auto& file = *static_cast<MemoryFile*>(source);
    const std::size_t want = size * count;
    const std::size_t got = std::min(want, file.bytes.size() - file.at);
    std::memcpy(into, file.bytes.data() + file.at, got);
    file.at += got;
    return size == 0 ? 0 : got / size;
}

int seekMemory(void* source, ogg_int64_t offset, int whence) {
    auto& file = *static_cast<MemoryFile*>(source);
    const auto size = static_cast<ogg_int64_t>(file.bytes.size());
    ogg_int64_t to = offset;
    if (whence == SEEK_CUR) to += static_cast<ogg_int64_t>(file.at);
    else if (whence == SEEK_END) to += size;
    if (to < 0 || to > size) return -1;
    file.at = static_cast<std::size_t>(to);
    return 0;
}

long tellMemory(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->at); }

} // namespace

std::optional<DecodedSound> decodeOggVorbis(const std::string& bytes) {
    MemoryFile file{bytes};
    OggVorbis_File vorbis;
    const ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
    if (ov_open_callbacks(&file, &vorbis, nullptr, 0, callbacks) != 0) return std::nullopt;
    const vorbis_info* info = ov_info(&vorbis, -1);
    if (!info || info->channels < 1 || info->channels > 2) {
        ov_clear(&vorbis);
        return std::nullopt;
    }
    DecodedSound sound;
    sound.rate = static_cast<int>(info->rate);
    sound.channels.resize(static_cast<std::size_t>(info->channels));
    char buffer[8192];
    int section = 0;
    for (;;) {
        // 16-bit signed little-endian, channels interleaved.
        const long got = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == OV_HOLE) continue;
        if (got <= 0) break;
        const std::size_t frames = static_cast<std::size_t>(got) / (2 * sound.channels.size());
        for (std::size_t f = 0; f < frames; ++f)
            for (std::size_t c = 0; c < sound.channels.size(); ++c) {
                const std::size_t at = 2 * (f * sound.channels.size() + c);
                const auto low = static_cast<unsigned char>(buffer[at]);
                const auto high = static_cast<unsigned char>(buffer[at + 1]);
                sound.channels[c].push_back(static_cast<std::int16_t>(low | (high << 8)));
            }
    }
    ov_clear(&vorbis);
    return sound;
}

} // namespace cw::cli
