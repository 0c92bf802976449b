// tarnwick's reading of a dropped WAV file: whatever the bytes, the check stays inside them,
// and an accepted file encodes and writes in every rate mode its rate allows.
#include "tarnwick/engine/audio_smaf_writer.hpp"
#include "tarnwick/engine/wave_check.hpp"
#include "tarnwick/engine/wave_encoder.hpp"

#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::span<const unsigned char> image(data, size);
    tarnwick::WaveInfo info;
    const int code = tarnwick::checkWave(image, info);
    if (code < 0) return 0;
    if (info.dataOffset + info.dataSize > size) std::abort();
    // Keep each run short: the writer's cost grows with the data, not its branches.
    if (info.dataSize > (1u << 16)) return 0;
    const tarnwick::ContentsInfo contents{"t", "c", false};
    const int modes8k[] = {tarnwick::rateMode8k, tarnwick::rateModeHalved};
    const int modes4k[] = {tarnwick::rateMode4kSource};
    for (int mode : code == tarnwick::rateCode4k ? std::span<const int>(modes4k)
                                                 : std::span<const int>(modes8k)) {
        if (tarnwick::writeAudioSmaf(contents, image, info, mode).size() < 8) std::abort();
    }
    return 0;
}
