#include "chimewright/driver/intermediates.hpp"

#include "chimewright/audio/temp_renders.hpp"
#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/job/temp_names.hpp"

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

namespace {

struct PlannedRender {
    TempWav kind;
    TempRender render;
};

// The readers' order; each file is also written under its render's name, as the copies of the
// reader's output were.
std::vector<PlannedRender> plannedRenders(const Intermediates& need) {
    std::vector<PlannedRender> planned;
    const auto add = [&planned](TempWav kind, TempRender render) {
        const std::string_view own = tempWavName(kind);
        if (own != render.names.front()) render.names.emplace_back(own);
        planned.push_back({kind, std::move(render)});
    };
    if (need.stereo8k) {
        add(TempWav::left8k, render8k(0, channelLeft));
        add(TempWav::right8k, render8k(0, channelRight));
    }
    if (need.stereo16k) {
        add(TempWav::left16k, render16k(channelLeft));
        add(TempWav::right16k, render16k(channelRight));
    }
    if (need.narrow8k) add(TempWav::narrow8k, render8k(1, channelMix));
    if (need.mono8k) add(TempWav::mono8k, render8k(0, channelMix));
    if (need.mono16k) add(TempWav::mono16k, render16k(channelMix));
    if (need.mono32k) add(TempWav::mono32k, render32k());
    return planned;
}

} // namespace

TempWavSet tempWavSet(const Intermediates& need, const platform::Path& workFolder) {
    TempWavSet set{workFolder};
    for (const PlannedRender& p : plannedRenders(need)) {
        set.made[static_cast<std::size_t>(p.kind)] = true;
        // Every render writes its reader's own file first: the last of each rate stays there.
        if (p.render.names.front() == tempfile::latest8k) set.latest8k = p.kind;
        if (p.render.names.front() == tempfile::latest16k) set.latest16k = p.kind;
    }
    return set;
}

int renderIntermediates(const platform::Path& source, const Intermediates& need, double level,
                        const platform::Path& work) {
    std::vector<TempRender> renders;
    for (PlannedRender& p : plannedRenders(need))
        renders.push_back(std::move(p.render));
    return renderTempFiles(source, level, renders, work);
}

} // namespace cw
