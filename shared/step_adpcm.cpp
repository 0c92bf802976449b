#include "shared/step_adpcm.hpp"

#include <algorithm>
#include <array>

namespace suite {

namespace {

// Step multipliers in 1/256 units, indexed by the code's magnitude bits.
constexpr std::array<int, 8> stepMultiplier = {230, 230, 230, 230, 307, 409, 512, 614};

// trunc(128 × sin(2πi/64)); kept as a table so every platform's sine gives the same bytes.
constexpr std::array<int, 64> ditherTable = {
    0,    12,   24,   37,   48,   60,   71,   81,   90,   98,   106,  112,  118,
    122,  125,  127,  128,  127,  125,  122,  118,  112,  106,  98,   90,   81,
    71,   60,   48,   37,   24,   12,   0,    -12,  -24,  -37,  -48,  -60,  -71,
    -81,  -90,  -98,  -106, -112, -118, -122, -125, -127, -128, -127, -125, -122,
    -118, -112, -106, -98,  -90,  -81,  -71,  -60,  -48,  -37,  -24,  -12};

} // namespace

void stepAdpcmReset(stepAdpcmState& state) {
    state.predictor = 0;
    state.step = stepAdpcmMinStep;
}

std::int16_t stepAdpcmDecode(stepAdpcmState& state, unsigned code) {
    const int step = state.step;
    int diff = step / 8;
    if (code & 1) diff += step / 4;
    if (code & 2) diff += step / 2;
    if (code & 4) diff += step;
    if (code & 8) diff = -diff;

    const int predictor = std::clamp(state.predictor + diff, -32768, 32767);
    const int nextStep = step * stepMultiplier[code & 7] / 256;
    state.predictor = static_cast<std::int16_t>(predictor);
    state.step = static_cast<std::int16_t>(
        std::clamp(nextStep, int{stepAdpcmMinStep}, int{stepAdpcmMaxStep}));
    return state.predictor;
}

unsigned stepAdpcmEncode(stepAdpcmState& state, std::int16_t input) {
    const int step = state.step;
    int d = input - state.predictor;
    unsigned code = 0;
    if (d < 0) {
        code = 8;
        d = -d;
    }
    if (d >= step) {
        code |= 4;
        d -= step;
    }
    if (d >= step / 2) {
        code |= 2;
        d -= step / 2;
    }
    if (d >= step / 4) code |= 1;
    stepAdpcmDecode(state, code);
    return code;
}

std::int16_t conditionSample(std::int16_t sample, std::uint32_t index) {
    // 0.95 × s + dither is computed exactly as (19 × s + 20 × dither) / 20. Every value of
    // 19 × s / 20 is a multiple of 0.05, so the double-precision product lands on the same
    // side of each rounding boundary and the results agree for every 16-bit sample.
    const int scaled = 19 * sample + 20 * ditherTable[index % 64];
    const int magnitude = ((scaled < 0 ? -scaled : scaled) + 10) / 20; // half away from zero
    return static_cast<std::int16_t>(scaled < 0 ? -magnitude : magnitude);
}

} // namespace suite
