// The route of a WAVE file with a compressed format tag: the copy, the decode by the system's
// codecs and our mapping of its failures, and the PCM file it writes for the readers. The
// decoded file must pass the input check as PCM and read back through the 8 kHz reader.
#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/driver/compressed_input.hpp"
#include "chimewright/driver/input_check.hpp"
#include "fuzz/scratch_folder.hpp"
#include "shared/byte_order.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

// The decoded file: a 44-byte PCM header whose sizes match the file, 16-bit samples.
void checkDecoded(const platform::Path& path) {
    const auto bytes = platform::readWholeFile(path);
    expect(bytes && bytes->size() >= 44);
    const auto* h = reinterpret_cast<const unsigned char*>(bytes->data());
    expect(std::memcmp(h, "RIFF", 4) == 0 && std::memcmp(h + 8, "WAVEfmt ", 8) == 0);
    expect(suite::readLe32(h + 4) == bytes->size() - 8);
    expect(suite::readLe16(h + 20) == 1);
    const unsigned channels = suite::readLe16(h + 22);
    expect(channels == 1 || channels == 2);
    expect(suite::readLe16(h + 32) == 2 * channels && suite::readLe16(h + 34) == 16);
    expect(std::memcmp(h + 36, "data", 4) == 0 && suite::readLe32(h + 40) == bytes->size() - 44);
    expect((bytes->size() - 44) % (2 * channels) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const platform::Path& folder = fuzz::scratchFolder();
    const platform::Path input = fuzz::inputFile("input.wav", data, size);
    const platform::Path decoded = folder / "_cwwtmp.wav";
    platform::deleteFile(decoded);

    const int code = cw::decodeToPcm(input, folder);
    expect(code == 0 || (code >= 2001 && code <= 2016));
    if (code != 0) {
        expect(!platform::fileExists(decoded));
        return 0;
    }
    checkDecoded(decoded);
    bool tarnwick = false;
    expect(cw::checkInputWave(decoded, folder, tarnwick) == 0);
    // Long decodes are the codec's business; the reader's own target covers its chain.
    if (size <= 4096) {
        const int read = cw::readWavToTemp8k(decoded, 1.0, 0, cw::channelMix, folder);
        expect(read == 0 || read == 3010 || read == 3012);
    }
    return 0;
}
