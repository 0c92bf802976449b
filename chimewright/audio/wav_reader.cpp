#include "chimewright/audio/wav_reader.hpp"

#include "chimewright/audio/temp_renders.hpp"
#include "shared/byte_order.hpp"
#include "shared/temp_wav.hpp"

#include <cstring>
#include <vector>

namespace cw {

int readWavToTemp8k(const platform::Path& source, double level, int narrow, int channelMode,
                    const platform::Path& workFolder) {
    return renderTempFiles(source, level, {render8k(narrow, channelMode)}, workFolder);
}

int readWavToTemp16k(const platform::Path& source, double level, int channelMode,
                     const platform::Path& workFolder) {
    return renderTempFiles(source, level, {render16k(channelMode)}, workFolder);
}

int readWavToTemp32k(const platform::Path& source, double level,
                     const platform::Path& workFolder) {
    return renderTempFiles(source, level, {render32k()}, workFolder);
}

bool writeTempImage(const platform::Path& path, const std::vector<unsigned char>& bytes) {
    platform::File file =
        platform::createForWrite(path, platform::shareRead | platform::shareWrite);
    if (!file.isOpen()) return false;
    if (!file.write(bytes.data(), bytes.size())) {
        file.close();
        platform::deleteFile(path);
        return false;
    }
    return true;
}

bool writeTempWav(const platform::Path& path, std::uint32_t dataBytes,
                  const std::int16_t* samples) {
    std::vector<unsigned char> bytes(suite::tempWavHeaderSize + dataBytes);
    auto header = suite::tempWavHeader(dataBytes);
    std::memcpy(bytes.data(), header.data(), header.size());
    for (std::uint32_t i = 0; i < dataBytes / 2; ++i)
        suite::writeLe16(&bytes[suite::tempWavHeaderSize + 2 * i],
                         static_cast<std::uint16_t>(samples[i]));
    return writeTempImage(path, bytes);
}

} // namespace cw
