#include "chimewright/driver/smaf_stream_route.hpp"

#include "chimewright/job/result_codes.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/mmfconv/stream_smaf_builder.hpp"
#include "shared/byte_order.hpp"
#include "shared/cp932_bytes.hpp"
#include "shared/step_adpcm_channel.hpp"

#include <string>

namespace cw {

namespace {

constexpr std::size_t maxWavRead = 4 * 1024 * 1024;
constexpr std::size_t waveHeaderSize = 8;
constexpr int outputCapacity = 0x100000;

std::vector<unsigned char> readHead(const platform::Path& path, std::size_t maxBytes) {
    std::vector<unsigned char> image;
    platform::File file = platform::openForRead(path);
    if (!file.isOpen()) return image;
    image.resize(maxBytes);
    std::size_t filled = 0;
    while (filled < maxBytes) {
        auto got = file.read(image.data() + filled, maxBytes - filled);
        if (!got || *got == 0) break;
        filled += *got;
    }
    image.resize(filled);
    return image;
}

// The builder takes texts of at most 252 bytes; longer ones lose their end.
std::string fittedText(std::string_view text) {
    return std::string(suite::cutCp932Text(text, smafStreamTextLimit));
}

} // namespace

std::vector<unsigned char> buildWaveDataChunk(const platform::Path& mono16k, int limit) {
    const std::vector<unsigned char> wav = readHead(mono16k, maxWavRead);
    std::vector<unsigned char> chunk;
    if (wav.empty() || limit <= static_cast<int>(waveHeaderSize)) return chunk;

    suite::StepAdpcmChannelOptions options;
    options.packing = suite::StepAdpcmPacking::lowNibbleFirst;
    options.byteBudget = static_cast<std::size_t>(limit) - waveHeaderSize;
    chunk.resize(static_cast<std::size_t>(limit));
    const std::size_t data = suite::encodeStepAdpcmChannel(
        wav, options, std::span<unsigned char>(chunk).subspan(waveHeaderSize));
    chunk.resize(waveHeaderSize + data);
    chunk[0] = 'A';
    chunk[1] = 'w';
    chunk[2] = 'a';
    chunk[3] = 0x01;
    suite::writeBe32(chunk.data() + 4, static_cast<std::uint32_t>(data));
    return chunk;
}

int writeSmafFile(const std::vector<unsigned char>& chunk, std::string_view titleAnsi,
                  std::string_view copyrightAnsi, int limit, const platform::Path& outputPath) {
    const std::string title = fittedText(titleAnsi);
    const std::string copyright = fittedText(copyrightAnsi);
    std::vector<unsigned char> image(outputCapacity);
    const std::size_t length =
        cw::smaf::buildStreamSmaf(chunk, image, titleAnsi.empty() ? nullptr : title.c_str(),
                                  copyrightAnsi.empty() ? nullptr : copyright.c_str(), limit);
    if (length == 0) return result::smafNotWritten;

    platform::File file = createOutputFile(outputPath);
    if (!file.isOpen()) return result::smafNotWritten;
    const bool written = file.write(image.data(), length);
    file.close();
    if (!written) {
        platform::deleteFile(outputPath);
        return result::smafNotWritten;
    }
    return 0;
}

int writeSmafStreamRoute(const WriterContext& context) {
    const TargetBlock& block = context.settings[targetSmaf];
    const std::vector<unsigned char> chunk =
        buildWaveDataChunk(context.temps().path(TempWav::mono16k), smafLargeLimit);
    if (chunk.size() < 9) return result::smafNoSamples;
    return writeSmafFile(chunk, context.texts.titleAnsi, context.texts.copyrightAnsi,
                         block.useUserLimit ? smafLargeLimit : smafSmallLimit, block.outputPath);
}

} // namespace cw
