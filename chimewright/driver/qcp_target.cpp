#include "chimewright/driver/qcp_target.hpp"

#include "chimewright/job/temp_files.hpp"
#include "chimewright/qcp/qcp_file.hpp"
#include "shared/temp_wav_samples.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cw {

bool encodeWavToQcp(const platform::Path& wav, const platform::Path& output,
                    QcelpFrameEncoder& encoder) {
    const std::optional<std::string> file = platform::readWholeFile(wav);
    if (!file || file->size() <= suite::TempWavSamples::firstSampleOffset) return false;
    const suite::TempWavSamples samples(std::span(
        reinterpret_cast<const unsigned char*>(file->data()), file->size()));

    QcpPackets packets;
    std::array<std::int16_t, qcelpFrameSamples> frame{};
    QcelpPacket packet;
    std::size_t offset = suite::TempWavSamples::firstSampleOffset;
    while (offset < samples.end()) {
        for (std::int16_t& sample : frame) {
            sample = offset < samples.end() ? samples.at(offset) : 0;
            offset += 2;
        }
        if (!encoder.encode(frame, packet)) return false;
        packets.append(packet);
    }
    return writeOutputFile(output, buildQcpFile(packets));
}

} // namespace cw
