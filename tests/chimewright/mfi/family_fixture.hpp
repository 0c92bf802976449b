// The working folder of the step-ADPCM driver tests plus the temporary files only the
// low-nibble, G.726 and IMA drivers read, each a sine of its own pitch and length.
#pragma once

#include "tests/chimewright/mfi/driver_fixture.hpp"

namespace mfi_test {

// "_cwm8tmp.wav" 2.5 s and "_cwm4tmp.wav" 2.6 s at 8 kHz, "_cwm32tmp.wav" 1.5 s at 32 kHz.
extern const TempSource mono8kNormal, mono8kNarrow, mono32k;

class FamilyDriverTest : public StepDriverTest {
protected:
    void putAllSources(); // the six files of putSources and these three
};

} // namespace mfi_test
