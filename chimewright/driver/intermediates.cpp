#include "chimewright/driver/intermediates.hpp"

#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/driver/temp_files.hpp"

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
    auto copy = [&work](const char* from, const char* to) {
        copyTempFile(work, from, tempPath(work, to)); // a failed copy shows up downstream
    };
    int code = 0;
    if (need.stereo8k) {
        if ((code = readWavToTemp8k(source, level, 0, channelLeft, work))) return code;
        copy(temp8kName, "_cwmltmp.wav");
        if ((code = readWavToTemp8k(source, level, 0, channelRight, work))) return code;
        copy(temp8kName, "_cwmrtmp.wav");
    }
    if (need.stereo16k) {
        if ((code = readWavToTemp16k(source, level, channelLeft, work))) return code;
        copy(temp16kName, "_cwhltmp.wav");
        if ((code = readWavToTemp16k(source, level, channelRight, work))) return code;
        copy(temp16kName, "_cwhrtmp.wav");
    }
    if (need.narrow8k) {
        if ((code = readWavToTemp8k(source, level, 1, channelMix, work))) return code;
        copy(temp8kName, "_cwm4tmp.wav");
    }
    if (need.mono8k) {
        if ((code = readWavToTemp8k(source, level, 0, channelMix, work))) return code;
        copy(temp8kName, "_cwm8tmp.wav");
    }
    if (need.mono16k && (code = readWavToTemp16k(source, level, channelMix, work))) return code;
    if (need.mono32k && (code = readWavToTemp32k(source, level, work))) return code;
    return 0;
}

} // namespace cw
