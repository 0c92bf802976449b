// Scheduling a parsed MFi file on the renderer: "adat" chunks become blocks that play from
// time 0; in each track, tempo and master volume (first track only), then the voice data of
// the events collected into numbered blocks, then every play event rendered at its time
// with the volume and pan its channel has at that point.
#include "voxreel/model/mfi_file.hpp"
#include "voxreel/render/voice_renderer.hpp"

#include <algorithm>
#include <cmath>

namespace voxreel {

namespace {

struct TrackResult {
    int vendorCode = 0;
    int variantCode = 0;
    int rate = 0;
};

VoiceBlock adatBlock(const MfiAudioData& chunk) {
    VoiceBlock block;
    block.sourceIndex = 0;
    block.packetMode = 1;
    const auto audio = chunk.audio();
    block.data.assign(audio.begin(), audio.end());
    block.length = chunk.audioLength;
    block.continues = false;
    block.sampleRate = chunk.rateKHz * 1000.0;
    block.vendorCode = adatVendorCode;
    block.variantCode = chunk.formatCode;
    block.startTick = 0;
    block.stereo = chunk.channels > 1;
    block.stereoLayout = chunk.stereoLayout;
    // The chunk states its code width; 2-bit G.726 voices say 2.
    block.codeWidth = chunk.bitsPerCode == 2 ? 2 : 4;
    return block;
}

void readTempo(const MfiTrack& track, VoiceRenderer& renderer) {
    std::int64_t tick = 0;
    for (const MfiEvent& event : track.events) {
        tick += event.delta;
        if (event.hasTempo) renderer.addTempo(tick, event.msPerTick);
        if (event.hasMasterVolume) renderer.setMasterVolume(event.masterVolume);
    }
}

// Data of a later event joins the last block of its number while that block says more
// follows; packet modes 2 and 3 always start a new block.
TrackResult collectAudio(MfiTrack& track, VoiceRenderer& renderer) {
    TrackResult result;
    std::int64_t tick = 0;
    for (std::size_t index = 0; index < track.events.size(); ++index) {
        MfiEvent& event = track.events[index];
        tick += event.delta;
        if (!event.isAudio || event.audioLength <= 0) continue;

        VoiceBlock block;
        block.sourceIndex = static_cast<int>(index);
        block.packetMode = event.packetMode;
        const auto audio = event.audio();
        block.data.assign(audio.begin(), audio.end());
        block.length = event.audioLength;
        block.continues = event.continues;
        block.sampleRate = event.sampleRate;
        block.vendorCode = event.vendorCode;
        block.variantCode = event.variantCode;
        block.startTick = tick;
        result = {event.vendorCode, event.variantCode,
                  static_cast<int>(std::floor(event.sampleRate + 0.5))};

        const int count = renderer.blockCount(event.dataNumber);
        VoiceBlock last;
        if (event.packetMode <= 1) {
            if (count > 0 && renderer.getBlock(event.dataNumber, count - 1, last) &&
                last.continues) {
                last.data.insert(last.data.end(), block.data.begin(), block.data.end());
                last.length += block.length;
                last.continues = event.continues;
                renderer.setBlock(event.dataNumber, count - 1, last);
                event.merged = true;
                continue;
            }
        } else if (count > 0 && renderer.getBlock(event.dataNumber, count - 1, last)) {
            last.continues = false;
            renderer.setBlock(event.dataNumber, count - 1, last);
        }
        renderer.addBlock(event.dataNumber, std::move(block));
    }
    return result;
}

void setForChannel(int (&table)[VoiceRenderer::dataNumberCount], int channel, int value) {
    if (channel >= 0 && channel < VoiceRenderer::dataNumberCount) {
        table[channel] = value;
        return;
    }
    for (int& entry : table) entry = value;
}

void renderPlays(const MfiTrack& track, VoiceRenderer& renderer) {
    int pan[VoiceRenderer::dataNumberCount];
    int volume[VoiceRenderer::dataNumberCount];
    for (int i = 0; i < VoiceRenderer::dataNumberCount; ++i) {
        pan[i] = 32;
        volume[i] = 63;
    }
    std::int64_t tick = 0;
    for (const MfiEvent& event : track.events) {
        tick += event.delta;
        if (event.hasPan) setForChannel(pan, event.targetChannel, event.pan);
        if (event.hasVolume) setForChannel(volume, event.targetChannel, event.volume);
        if (!event.isPlay || event.merged) continue;
        const int channel = std::clamp(event.targetChannel, 0, VoiceRenderer::dataNumberCount - 1);
        VoiceBlock block;
        if (!renderer.findBlockForTick(event.dataNumber, tick, block)) continue;
        BlockRenderRequest request;
        request.vendorCode = block.vendorCode;
        request.variantCode = block.variantCode;
        request.data = block.data;
        request.sampleRate = block.sampleRate;
        request.volume = volume[channel];
        request.pan = pan[channel];
        request.startMs = renderer.timeOfTick(tick);
        request.codeWidth = block.codeWidth != 0 ? block.codeWidth : event.codeWidth;
        request.stereo = block.stereo;
        request.stereoLayout = block.stereoLayout;
        renderer.renderBlock(request);
    }
}

} // namespace

MfiRenderResult MfiFile::render(VoiceRenderer& renderer) {
    MfiRenderResult result;
    renderer.beginRenderJob();
    result.version = version();

    bool first = true;
    for (const MfiAudioData& chunk : audioData) {
        VoiceBlock block = adatBlock(chunk);
        if (first) {
            result.vendorCode = adatVendorCode;
            result.variantCode = chunk.formatCode;
            result.rate = static_cast<int>(block.sampleRate);
            first = false;
        }
        if (block.length > 0) renderer.addBlock(chunk.number, std::move(block));
    }

    for (std::size_t i = 0; i < tracks.size(); ++i) {
        MfiTrack& track = tracks[i];
        if (track.number == 0) readTempo(track, renderer);
        const TrackResult found = collectAudio(track, renderer);
        renderPlays(track, renderer);
        if (i == 0 && result.rate == 0) {
            result.vendorCode = found.vendorCode;
            result.variantCode = found.variantCode;
            result.rate = found.rate;
        }
    }
    renderer.play();
    return result;
}

} // namespace voxreel
