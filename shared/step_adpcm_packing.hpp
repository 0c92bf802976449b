// The two byte layouts of step ADPCM: two 4-bit codes per byte, samples taken in pairs.
#pragma once

namespace suite {

enum class StepAdpcmPacking {
    // First sample of the pair in bits 7-4; the encoders of this layout condition the samples
    // and apply the zero-run guard.
    highNibbleFirst,
    // First sample of the pair in bits 3-0; the encoders of this layout take raw samples.
    lowNibbleFirst,
};

} // namespace suite
