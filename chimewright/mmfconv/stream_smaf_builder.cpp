#include "chimewright/mmfconv/stream_smaf_builder.hpp"

#include "chimewright/mmfconv/smaf_file.hpp"
#include "chimewright/mmfconv/stream_templates.hpp"
#include "shared/byte_order.hpp"

#include <climits>
#include <cstring>
#include <vector>

namespace cw::smaf {

namespace {

constexpr int minimumWaveLength = 15; // a chunk this short, or a shorter target, is not cut

// A wave chunk of at most `target` bytes: the first `target` bytes, its size field lowered
// by the number cut.
Chunk cutWave(ByteView wave, int target) {
    const int waveLength = static_cast<int>(wave.size());
    Chunk chunk(wave);
    chunk.isWave = true;
    if (target <= minimumWaveLength || target >= waveLength) return chunk;
    const std::uint32_t cut = static_cast<std::uint32_t>(waveLength - target);
    const std::uint32_t sizeField = suite::readBe32(wave.data() + 4);
    if (sizeField < cut || sizeField - cut <= static_cast<std::uint32_t>(minimumWaveLength))
        return chunk;
    chunk.bytes.resize(static_cast<std::size_t>(target));
    suite::writeBe32(chunk.bytes.data() + 4, sizeField - cut);
    return chunk;
}

} // namespace

std::size_t buildStreamSmaf(std::span<const unsigned char> wave, std::span<unsigned char> out,
                            const char* title, const char* copyright, int limit) {
    if (wave.size() < 8 || wave.size() > INT_MAX || std::memcmp(wave.data(), "Awa", 3) != 0)
        return 0;
    const std::vector<int> startTimesMs = {0};

    int target = limit;
    for (int pass = 0; pass < 2; ++pass) {
        const Chunk chunk = cutWave(wave, target);
        const int length = chunk.size();
        const int ms = (length - 4) / 8; // 16 samples per millisecond, two per byte
        const int ticks = ms / 4;        // 4 ms per tick

        const Bytes image = streamTemplate(ticks);
        if (std::memcmp(image.data(), "MMMD", 4) != 0) return 0;
        File file(image);
        if (file.chunks.empty()) return 0;
        file.attachStream(startTimesMs, ms, chunk);
        file.setContentsInfo(title, copyright, true);
        const auto written = static_cast<int>(file.write(out));
        if (written <= limit) return static_cast<std::size_t>(written);
        target = length - written + limit;
    }
    return 0;
}

} // namespace cw::smaf
