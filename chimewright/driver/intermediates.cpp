#include "chimewright/driver/intermediates.hpp"

#include "chimewright/audio/temp_renders.hpp"
#include "chimewright/audio/wav_reader.hpp"

namespace cw {

Intermediates intermediatesFor(const TargetRow& row, const TargetBlock& b) {
    Intermediates need;
    if (!b.enabled) return need;
    switch (row.codec) {
    case TargetCodec::smaf:
        need.narrow8k = b.lowRate != 0;
        need.mono8k = b.rate8k != 0;
        need.mono16k = b.rate16k != 0;
        break;
    case TargetCodec::qcelp:
        need.mono8k = true; // the QCP converter reads the 8 kHz file
        break;
    default:
        need.stereo8k = b.stereo8k != 0;
        need.stereo16k = b.stereo16k != 0;
        need.mono8k = b.rate8k != 0;
        need.mono16k = b.rate16k != 0;
        need.mono32k = b.rate32k2bit || b.rate32k4bit;
        if (b.lowRate) (usesNarrowFile(row) ? need.narrow8k : need.mono8k) = true;
        break;
    }
    return need;
}

Intermediates neededIntermediates(const JobSettings& settings) {
    Intermediates need;
    for (int t = 0; t < targetCount; ++t) {
        const Intermediates one = intermediatesFor(targetRow(t), settings[static_cast<std::size_t>(t)]);
        need.stereo8k |= one.stereo8k;
        need.stereo16k |= one.stereo16k;
        need.narrow8k |= one.narrow8k;
        need.mono8k |= one.mono8k;
        need.mono16k |= one.mono16k;
        need.mono32k |= one.mono32k;
    }
    return need;
}

int renderIntermediates(const platform::Path& source, const Intermediates& need, double level,
                        const platform::Path& work) {
    // The readers' order; each file is also written under its role names, as the copies of
    // the reader's output would be.
    std::vector<TempRender> renders;
    const auto add = [&renders](TempRender render, const char* role) {
        if (role) render.names.emplace_back(role);
        renders.push_back(std::move(render));
    };
    if (need.stereo8k) {
        add(render8k(0, channelLeft), "_cwmltmp.wav");
        add(render8k(0, channelRight), "_cwmrtmp.wav");
    }
    if (need.stereo16k) {
        add(render16k(channelLeft), "_cwhltmp.wav");
        add(render16k(channelRight), "_cwhrtmp.wav");
    }
    if (need.narrow8k) add(render8k(1, channelMix), "_cwm4tmp.wav");
    if (need.mono8k) add(render8k(0, channelMix), "_cwm8tmp.wav");
    if (need.mono16k) add(render16k(channelMix), nullptr);
    if (need.mono32k) add(render32k(), nullptr);
    return renderTempFiles(source, level, renders, work);
}

} // namespace cw
