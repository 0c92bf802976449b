#include "chimewright/driver/intermediates.hpp"

#include "chimewright/audio/temp_renders.hpp"
#include "chimewright/audio/wav_reader.hpp"

namespace cw {

namespace {

bool isMfiOrAndroid(int target) { return target != targetSmaf && target != targetQcp; }

// Targets whose 4 kHz option is made from the narrow-band 8 kHz file; the others (the G.726
// family) make theirs from the normal 8 kHz file.
bool usesNarrowFile(int target) {
    switch (target) {
    case targetP505: case targetD211: case targetD505: case targetSh252:
    case targetSo505is: case targetSa702: case targetP903:
        return false;
    default:
        return true;
    }
}

} // namespace

Intermediates neededIntermediates(const JobSettings& settings) {
    Intermediates need;
    for (int t = 0; t < targetCount; ++t) {
        const TargetBlock& b = settings[static_cast<std::size_t>(t)];
        if (!b.enabled) continue;
        if (isMfiOrAndroid(t)) {
            need.stereo8k |= b.stereo8k != 0;
            need.stereo16k |= b.stereo16k != 0;
            need.mono8k |= b.rate8k != 0;
            need.mono16k |= b.rate16k != 0;
            need.mono32k |= b.rate32k2bit || b.rate32k4bit;
            if (b.lowRate) (usesNarrowFile(t) ? need.narrow8k : need.mono8k) = true;
        } else if (t == targetSmaf) {
            need.narrow8k |= b.lowRate != 0;
            need.mono8k |= b.rate8k != 0;
            need.mono16k |= b.rate16k != 0;
        } else {
            need.mono8k = true; // the QCP converter reads the 8 kHz file
        }
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
