#include "voxreel/cli/info_report.hpp"

#include "voxreel/model/mfi_file.hpp"
#include "voxreel/model/smaf_voice.hpp"

#include "platform/text.hpp"
#include "shared/byte_order.hpp"

#include <cstring>
#include <string>

namespace voxreel::cli {

using namespace voxreel;

namespace {

std::string hexBytes(std::span<const unsigned char> bytes, std::size_t shown) {
    std::string text;
    char digits[4];
    for (std::size_t i = 0; i < bytes.size() && i < shown; ++i) {
        std::snprintf(digits, sizeof digits, "%02X ", bytes[i]);
        text += digits;
    }
    if (bytes.size() > shown) text += "... ";
    return text;
}

std::string printable(std::span<const unsigned char> bytes) {
    return platform::cp932ToUtf8(std::string(bytes.begin(), bytes.end()));
}

std::string describe(const MfiEvent& e) {
    std::string text;
    char part[160];
    auto add = [&](const char* format, auto... values) {
        std::snprintf(part, sizeof part, format, values...);
        if (!text.empty()) text += ", ";
        text += part;
    };
    if (e.code == 0 && e.length >= 4)
        add("note ch %d key %d gate %d velocity %d", e.channel, e.key, e.gate, e.velocity);
    if (e.hasTempo) add("tempo %.4g ms/tick", e.msPerTick);
    if (e.hasMasterVolume) add("master volume %d", e.masterVolume);
    if (e.hasVolume) add("volume %d ch %d", e.volume, e.targetChannel);
    if (e.hasPan) add("pan %d ch %d", e.pan, e.targetChannel);
    if (e.isAudio)
        add("voice vendor 0x%02X variant %d, %d bytes at %.0f Hz, %d-bit, block %d ch %d mode %d%s",
            e.vendorCode, e.variantCode, e.audioLength, e.sampleRate, e.codeWidth, e.dataNumber,
            e.targetChannel, e.packetMode, e.continues ? ", more follows" : "");
    if (e.isPlay) add("play block %d ch %d", e.dataNumber, e.targetChannel);
    if (text.empty() && e.code == 0xFFFF && e.length >= 6) add("record of vendor 0x%02X", e.bytes[5]);
    return text;
}

void printMfi(std::FILE* out, std::span<const unsigned char> buffer) {
    const MfiFile file = MfiFile::parse(buffer);
    std::fprintf(out, "MFi: length field %lld (file %lld bytes, %zu loaded)\n",
                 static_cast<long long>(file.mldSize), static_cast<long long>(file.fileSize),
                 buffer.size());
    if (file.fileSize > static_cast<std::int64_t>(maxRingtoneBytes)) {
        std::fprintf(out, "  larger than 1 MiB: not read\n");
        return;
    }
    std::fprintf(out, "  information length %d, type %d %d, %d tracks declared, version %d\n",
                 file.firstTracDist, file.majorType, file.minorType, file.tracCount,
                 file.version());
    for (std::size_t i = 0; i < file.info.size(); ++i) {
        const MfiInfo& info = file.info[i];
        if (info.chunk.empty()) continue;
        const bool text = i == infoTitl || i == infoCopy || i == infoVers;
        std::string shown = text ? printable(info.data()) : hexBytes(info.data(), 16);
        if (text) shown = '"' + shown + '"';
        std::fprintf(out, "  \"%s\" %d bytes: %s\n", infoIds[i], info.length, shown.c_str());
    }
    for (const MfiAudioData& chunk : file.audioData)
        std::fprintf(out,
                     "  \"adat\" #%d: %d bytes, format 0x%02X, %d kHz, %d bits, %d channel(s), "
                     "layout %d, %d voice bytes\n",
                     chunk.number, chunk.dataLength, chunk.formatCode, chunk.rateKHz,
                     chunk.bitsPerCode, chunk.channels, chunk.stereoLayout, chunk.audioLength);
    for (const MfiTrack& track : file.tracks) {
        std::fprintf(out, "  \"trac\" #%d: %d bytes, %zu events%s\n", track.number,
                     track.dataLength, track.events.size(),
                     track.truncated ? " (an event runs past the chunk; the list ends there)" : "");
        long long tick = 0;
        for (std::size_t i = 0; i < track.events.size(); ++i) {
            const MfiEvent& e = track.events[i];
            tick += e.delta;
            std::fprintf(out, "    %4zu  tick %-7lld %-28s %s\n", i, tick,
                         hexBytes(e.bytes, 9).c_str(), describe(e).c_str());
        }
    }
}

void printSmaf(std::FILE* out, std::span<const unsigned char> buffer) {
    std::fprintf(out, "SMAF: size field %u (%zu bytes loaded)\n",
                 buffer.size() >= 8 ? suite::readBe32(&buffer[4]) : 0u, buffer.size());
    std::size_t offset = 8;
    while (offset + 8 <= buffer.size()) {
        const std::size_t size = suite::readBe32(&buffer[offset + 4]);
        const std::string id = printable(buffer.subspan(offset, 4));
        const bool fits = size <= buffer.size() - offset - 8;
        std::fprintf(out, "  chunk \"%s\" at %zu: %zu bytes%s\n", id.c_str(), offset, size,
                     fits ? "" : " (runs past the file)");
        if (!fits) break;
        offset += 8 + size;
    }
    const SmafVoice voice = findSmafVoice(buffer);
    std::fprintf(out, "  title \"%s\", copyright \"%s\", rate %d Hz\n",
                 platform::cp932ToUtf8(voice.title).c_str(),
                 platform::cp932ToUtf8(voice.copyright).c_str(), voice.rate);
    if (voice.found)
        std::fprintf(out, "  voice: %zu bytes at %zu, from %s\n", voice.audioLength,
                     voice.audioOffset, voice.fromScoreTrack ? "\"Mtsp\"" : "\"Awa\"");
    else
        std::fprintf(out, "  no audio stream\n");
}

} // namespace

void printFileStructure(std::FILE* out, std::span<const unsigned char> buffer) {
    if (buffer.size() >= 4 && std::memcmp(buffer.data(), "melo", 4) == 0) printMfi(out, buffer);
    else if (buffer.size() >= 4 && std::memcmp(buffer.data(), "MMMD", 4) == 0) printSmaf(out, buffer);
    else std::fprintf(out, "neither MFi nor SMAF\n");
}

void printRenderedBlocks(std::FILE* out, const VoiceRenderer& renderer) {
    std::fprintf(out, "voice blocks:\n");
    for (int number = 0; number < VoiceRenderer::dataNumberCount; ++number) {
        for (int i = 0; i < renderer.blockCount(number); ++i) {
            VoiceBlock block;
            renderer.getBlock(number, i, block);
            std::fprintf(out,
                         "  block %d.%d: %d bytes, vendor %d variant %d, %.0f Hz, tick %lld%s\n",
                         number, i, block.length, block.vendorCode, block.variantCode,
                         block.sampleRate, static_cast<long long>(block.startTick),
                         block.stereo ? (block.stereoLayout ? ", stereo interleaved"
                                                            : ", stereo halves")
                                      : "");
        }
    }
    std::fprintf(out, "mixed:\n");
    for (const RenderedVoice& voice : renderer.renderedVoices())
        std::fprintf(out,
                     "  vendor %d variant %d: %d bytes -> %d samples at %.0f Hz from %.1f ms "
                     "(frame %lld), volume %d, pan %d%s\n",
                     voice.vendorCode, voice.variantCode, voice.dataBytes, voice.samples,
                     voice.sampleRate, voice.startMs, static_cast<long long>(voice.startFrame),
                     voice.volume, voice.pan, voice.mixed ? "" : " (not placed)");
}

} // namespace voxreel::cli
