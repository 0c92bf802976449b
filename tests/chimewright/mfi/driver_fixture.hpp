// A working folder with the temporary WAV files the step-ADPCM drivers read, each a sine of
// its own pitch and length so that the voice in a file tells which one was encoded, and an
// output folder.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mfi_test {

struct TempSource {
    const char* name;
    double frequency;
    int rate;
    std::size_t samples;
};

// "_cwmtmp.wav" 3 s at 8 kHz, "_cwsmtmp.wav" 2 s at 16 kHz, the 8 kHz channels 3 s and
// 2.8 s, the 16 kHz channels 2 s and 1.9 s.
extern const TempSource mono8k, mono16k, left8k, right8k, left16k, right16k;

std::vector<std::int16_t> sourceSamples(const TempSource& source);

class StepDriverTest : public ::testing::Test {
protected:
    testing_support::ScratchFolder work;
    testing_support::ScratchFolder out;
    cw::JobSettings settings{};
    cw::MfiOptions options{};
    cw::MfiTexts texts{};
    int extraSilenceMs = 0;

    void putSources(); // writes all six temporary files
    // Enables the target with these option bits ("Create" added) and its size class.
    void enable(int target, std::uint32_t flags, double volume = 1.0);
    platform::Path outputOf(int target) const;
    cw::MfiDriverContext context() const;
    // Every regular file under the output folder.
    std::vector<platform::Path> outputs() const;
};

} // namespace mfi_test
