// The step-ADPCM voice of one target: its temporary WAV file(s) encoded within the byte
// budget; for stereo the left file with the budget, the right with half of it, both cut to
// the shorter.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"
#include "shared/step_adpcm_packing.hpp"

#include <cstddef>
#include <vector>

namespace cw {

struct StepVoice {
    std::vector<unsigned char> left; // the mono stream, or the left channel
    std::vector<unsigned char> right;
    bool stereo = false;
    int rate = 8000; // the rate written into the file
};

// The temporary files a driver reads for each option.
struct StepVoiceFiles {
    platform::Path mono8k;
    platform::Path mono4k; // an 8000-Hz file read every other sample
    platform::Path mono16k;
    platform::Path left8k, right8k;
    platform::Path left16k, right16k;
};

// False when a file cannot be opened. The 32 kHz options have no step-ADPCM form and are not
// offered to these drivers.
bool encodeStepVoice(const StepVoiceFiles& files, VoiceOption option, std::size_t budget,
                     suite::StepAdpcmPacking packing, StepVoice& voice);

} // namespace cw
