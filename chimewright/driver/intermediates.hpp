// Which temporary WAV files the enabled targets of a job need.
#pragma once

#include "chimewright/driver/targets.hpp"

namespace cw {

struct Intermediates {
    bool stereo8k = false;  // "_cwmltmp.wav", "_cwmrtmp.wav"
    bool stereo16k = false; // "_cwhltmp.wav", "_cwhrtmp.wav"
    bool narrow8k = false;  // "_cwm4tmp.wav"
    bool mono8k = false;    // "_cwm8tmp.wav"
    bool mono16k = false;   // "_cwsmtmp.wav"
    bool mono32k = false;   // "_cwm32tmp.wav"
};

// What one target reads, by its row and block; nothing when it is not enabled.
Intermediates intermediatesFor(const TargetRow& row, const TargetBlock& block);
Intermediates neededIntermediates(const JobSettings& settings);

// Renders them from the source in their fixed order; the first failing reader's code ends it.
// The source is read once and renders of the same samples share their forward transform.
int renderIntermediates(const platform::Path& source, const Intermediates& needed, double level,
                        const platform::Path& workFolder);

} // namespace cw
