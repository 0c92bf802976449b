#include "chimewright/audio/wav_image.hpp"
#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/job/result_codes.hpp"
#include "chimewright/job/temp_files.hpp"
#include "shared/temp_wav.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

namespace cw {

namespace {

constexpr std::size_t maxSourceBytes = 262144;
constexpr std::size_t dataSearchBytes = 1000;

// Sample bytes that (end - start) bytes of SMAF room hold after 131 bytes of overhead:
// two samples per byte of 4-bit ADPCM, four per byte of 2-bit.
std::int64_t sampleByteLimit(int twoBit, int start, int end) {
    std::int64_t budget = std::int64_t{end} - start;
    std::int64_t limit = twoBit ? 2 * (4 * budget - 524) : 2 * (2 * budget - 262);
    return std::max<std::int64_t>(limit, 0);
}

} // namespace

int trimWavForBudget(const platform::Path& source, const platform::Path& dest, int twoBit,
                     int start, int end) {
    platform::File file = platform::openForRead(source, platform::shareRead);
    if (!file.isOpen()) return result::trimSourceNotOpened;
    std::vector<unsigned char> bytes(maxSourceBytes);
    auto got = file.read(bytes.data(), bytes.size());
    file.close();
    if (!got) return result::trimSourceNotRead;
    bytes.resize(*got);

    const auto header = suite::tempWavHeader(0);
    if (bytes.size() < suite::tempWavHeaderSize ||
        std::memcmp(bytes.data() + 8, header.data() + 8, 28) != 0)
        return result::trimSourceNoData;

    auto data = findDataChunk(bytes.data(), 36, std::min(bytes.size(), dataSearchBytes));
    if (!data) return result::trimSourceNoData;

    // Never copy past what was read, whatever the header declares.
    std::size_t available = bytes.size() - std::min(bytes.size(), data->offset);
    std::size_t copied = std::min<std::size_t>(data->size, available);
    copied = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(copied),
                               sampleByteLimit(twoBit, start, end)));
    copied &= ~std::size_t{1};

    auto out = suite::tempWavHeader(static_cast<std::uint32_t>(copied));
    platform::File target = createOutputFile(dest);
    if (!target.isOpen()) return result::trimNotWritten;
    if (!target.write(out.data(), out.size()) ||
        (copied > 0 && !target.write(bytes.data() + data->offset, copied))) {
        target.close();
        platform::deleteFile(dest);
        return result::trimNotWritten;
    }
    return 0;
}

} // namespace cw
