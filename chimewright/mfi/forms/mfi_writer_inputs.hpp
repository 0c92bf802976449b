// What every MFi writer receives besides the voice itself.
#pragma once

#include "chimewright/mfi/forms/mfi_texts.hpp"

#include <cstdint>

namespace cw {

struct MfiWriterInputs {
    MfiTexts texts;
    std::uint32_t extraSilenceMs = 0; // silence after the sound (the row's interval)
    bool loop = false;                // loop markers around the sound
    double volume = 1.0;              // the target's volume setting, 0.0-1.0
};

} // namespace cw
