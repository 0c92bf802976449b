#include "voxreel/model/smaf_voice.hpp"

#include "shared/byte_order.hpp"
#include "shared/smaf_chunks.hpp"

#include <algorithm>
#include <cstring>

namespace voxreel {

namespace {

constexpr std::size_t maxTextBytes = 255;

bool idAt(std::span<const unsigned char> buffer, std::size_t offset, const char* id,
          std::size_t length) {
    return offset + length <= buffer.size() && std::memcmp(&buffer[offset], id, length) == 0;
}

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// First offset in [from, to) where `text` begins, or `npos`.
std::size_t search(std::span<const unsigned char> buffer, std::size_t from, std::size_t to,
                   const char* text) {
    const std::size_t length = std::strlen(text);
    for (std::size_t at = from; at < to; ++at)
        if (idAt(buffer, at, text, length)) return at;
    return std::string::npos;
}

// Sampling rate of an audio track from the low four bits of its wave type.
int audioTrackRate(int waveType) {
    switch (waveType & 0x0F) {
    case 0: return 4000;
    case 2: return 11025;
    case 3: return 22050;
    case 4: return 44100;
    default: return 8000;
    }
}

void readContentsTexts(std::span<const unsigned char> buffer, std::size_t cnti, SmafVoice& voice) {
    if (buffer.size() < 8) return;
    const std::size_t end = buffer.size() - 8;
    const std::size_t title = search(buffer, cnti + 8, end, "ST:");
    if (title != std::string::npos) voice.title = smafTagValue(buffer, title + 3, end);
    const std::size_t copyright = search(buffer, cnti + 8, end, "CR:");
    if (copyright != std::string::npos) voice.copyright = smafTagValue(buffer, copyright + 3, end);
}

// A "Dch" data chunk at the start of an "OPDA" body: its "ST" and "CR" fields replace the
// texts.
void readOptionalTexts(std::span<const unsigned char> buffer, std::size_t opda, SmafVoice& voice) {
    if (!idAt(buffer, opda, "OPDA", 4) || !idAt(buffer, opda + 8, "Dch", 3)) return;
    if (opda + 16 > buffer.size()) return;
    const std::size_t size = suite::readBe32(&buffer[opda + 12]);
    const std::size_t fields = opda + 16;
    std::size_t offset = 0;
    while (offset < size && fields + offset + 4 <= buffer.size()) {
        const std::size_t at = fields + offset;
        const std::size_t length = suite::readBe16(&buffer[at + 2]);
        const std::size_t available = std::min(length, buffer.size() - at - 4);
        const std::size_t kept = std::min(available, maxTextBytes);
        const std::string value(reinterpret_cast<const char*>(&buffer[at + 4]), kept);
        if (idAt(buffer, at, "ST", 2)) voice.title = value;
        else if (idAt(buffer, at, "CR", 2)) voice.copyright = value;
        offset += length + 4;
    }
}

// First choice: the "Awa" sub-chunk of the first audio track.
bool findWaveInAudioTrack(std::span<const unsigned char> buffer, SmafVoice& voice) {
    const auto track = suite::findSmafChunk(buffer, 8, "ATR");
    if (!track) return false;
    // Sub-chunks follow the six header bytes and end with the track.
    const auto wave = suite::findSmafChunk(buffer.first(track->end()), track->offset + 14, "Awa");
    if (!wave) return false;
    voice.audioOffset = wave->offset + 8;
    voice.audioLength = wave->body().size();
    return true;
}

// Second choice: the stream of the first score track: "Mtsp" holding an "Mwa" sub-chunk
// (wave type, 16-bit rate, data).
bool findStreamInScoreTrack(std::span<const unsigned char> buffer, SmafVoice& voice) {
    const auto track = suite::findSmafChunk(buffer, 8, "MTR");
    if (!track || track->body().empty() || track->body()[0] == 0) return false;
    // Sub-chunks follow the mobile header (20 bytes) and end with the track.
    const auto stream =
        suite::findSmafChunk(buffer.first(track->end()), track->offset + 28, "Mtsp");
    if (!stream) return false;
    const std::size_t sub = stream->offset;
    if (sub + 19 > buffer.size()) return false;
    const std::size_t waveSize = suite::readBe32(&buffer[sub + 12]);
    if (waveSize < 3 || waveSize - 3 > buffer.size() - (sub + 19)) return false;
    voice.rate = suite::readBe16(&buffer[sub + 17]);
    voice.audioOffset = sub + 19;
    voice.audioLength = waveSize - 3;
    voice.fromScoreTrack = true;
    return true;
}

} // namespace

std::string smafTagValue(std::span<const unsigned char> buffer, std::size_t begin,
                         std::size_t end) {
    std::string value;
    end = std::min(end, buffer.size());
    for (std::size_t at = begin; at < end && value.size() < maxTextBytes; ++at) {
        const unsigned char c = buffer[at];
        if (c == ',') break;
        if (isLeadByte(c) && at + 1 < end) {
            value.push_back(static_cast<char>(c));
            if (value.size() < maxTextBytes) value.push_back(static_cast<char>(buffer[++at]));
            continue;
        }
        if (c == '\\' && at + 1 < end) ++at;
        value.push_back(static_cast<char>(buffer[at]));
    }
    return value;
}

SmafVoice findSmafVoice(std::span<const unsigned char> buffer) {
    SmafVoice voice;
    const std::size_t cnti =
        buffer.size() >= 9 ? search(buffer, 0, buffer.size() - 8, "CNTI") : std::string::npos;
    if (cnti != std::string::npos) {
        readContentsTexts(buffer, cnti, voice);
        const std::size_t cntiSize = suite::readBe32(&buffer[cnti + 4]);
        const std::size_t next = cntiSize <= buffer.size() ? cnti + 8 + cntiSize : buffer.size();
        readOptionalTexts(buffer, next, voice);
        // The rate from the first audio track after the contents info.
        std::size_t offset = next;
        while (offset <= buffer.size() - 8) {
            if (idAt(buffer, offset, "ATR", 3)) {
                if (offset + 10 < buffer.size()) voice.rate = audioTrackRate(buffer[offset + 10]);
                break;
            }
            const std::size_t size = suite::readBe32(&buffer[offset + 4]);
            if (size > buffer.size()) break;
            offset += 8 + size;
        }
    }
    voice.found = findWaveInAudioTrack(buffer, voice) || findStreamInScoreTrack(buffer, voice);
    return voice;
}

} // namespace voxreel
