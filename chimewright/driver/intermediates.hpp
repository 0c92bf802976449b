// Which temporary WAV files the enabled targets of a job need.
#pragma once

#include "chimewright/driver/targets.hpp"
#include "chimewright/job/temp_wav_set.hpp"

namespace cw {

struct Intermediates {
    bool stereo8k = false;  // TempWav::left8k, right8k
    bool stereo16k = false; // TempWav::left16k, right16k
    bool narrow8k = false;
    bool mono8k = false;
    bool mono16k = false;
    bool mono32k = false;
};

// What one target reads, by its row and block; nothing when it is not enabled.
Intermediates intermediatesFor(const TargetRow& row, const TargetBlock& block);
Intermediates neededIntermediates(const JobSettings& settings);

// The renders renderIntermediates makes for `need`, and which of them the 8 kHz reader's own
// file holds after it.
TempWavSet tempWavSet(const Intermediates& need, const platform::Path& workFolder);

// Renders them from the source in their fixed order; the first failing reader's code ends it.
// The source is read once and renders of the same samples share their forward transform.
int renderIntermediates(const platform::Path& source, const Intermediates& needed, double level,
                        const platform::Path& workFolder);

} // namespace cw
