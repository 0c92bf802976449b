// Which WAV files tarnwick accepts, and what it reports for the others.
#include "tarnwick/engine/wave_check.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::chunk;

namespace {

std::string le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    return out;
}

struct Format {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 8000;
    std::uint32_t byteRate = 16000;
    std::uint16_t align = 2;
    std::uint16_t bits = 16;
};

std::string fmtChunk(const Format& f) {
    return chunk("fmt ", le(f.tag, 2) + le(f.channels, 2) + le(f.rate, 4) + le(f.byteRate, 4) +
                             le(f.align, 2) + le(f.bits, 2));
}

std::string riff(const std::string& chunks) { return chunk("RIFF", "WAVE" + chunks); }

std::string dataChunk(std::size_t bytes) { return chunk("data", std::string(bytes, '\x01')); }

int check(const std::string& file, tarnwick::WaveInfo& info) {
    const std::vector<unsigned char> image(file.begin(), file.end());
    return tarnwick::checkWave(image, info);
}

int check(const std::string& file) {
    tarnwick::WaveInfo info;
    return check(file, info);
}

} // namespace

TEST(CheckWave, Results) {
    using namespace tarnwick;
    const Format pcm8k;
    const Format pcm4k{.rate = 4000, .byteRate = 8000};
    struct Case {
        const char* name;
        std::string file;
        int result;
    };
    const Case cases[] = {
        {"0.02 s at 8000 Hz is too short", riff(fmtChunk(pcm8k) + dataChunk(320)), waveTooShort},
        {"one byte more is enough", riff(fmtChunk(pcm8k) + dataChunk(321)), rateCode8k},
        {"0.02 s at 4000 Hz is too short", riff(fmtChunk(pcm4k) + dataChunk(160)), waveTooShort},
        {"161 bytes at 4000 Hz", riff(fmtChunk(pcm4k) + dataChunk(161)), rateCode4k},
        {"stereo", riff(fmtChunk({.channels = 2, .byteRate = 32000, .align = 4}) + dataChunk(4000)),
         waveUnsupportedFormat},
        {"11025 Hz", riff(fmtChunk({.rate = 11025, .byteRate = 22050}) + dataChunk(4000)),
         waveUnsupportedFormat},
        {"8-bit", riff(fmtChunk({.byteRate = 8000, .align = 1, .bits = 8}) + dataChunk(4000)),
         waveUnsupportedFormat},
        {"byte rate that does not fit the rate",
         riff(fmtChunk({.byteRate = 16001}) + dataChunk(4000)), waveUnsupportedFormat},
        {"compressed", riff(fmtChunk({.tag = 2}) + dataChunk(4000)), waveInvalidHeader},
        {"compressed stereo: the tag is checked first",
         riff(fmtChunk({.tag = 0x11, .channels = 2}) + dataChunk(4000)), waveInvalidHeader},
        {"not RIFF", "RIFX" + riff(fmtChunk(pcm8k) + dataChunk(4000)).substr(4), waveInvalidHeader},
        {"not WAVE", chunk("RIFF", "AVI " + fmtChunk(pcm8k) + dataChunk(4000)), waveInvalidHeader},
        {"eleven bytes", std::string("RIFF\0\0\0\0WAV", 11), waveInvalidHeader},
        {"data before fmt", riff(dataChunk(4000) + fmtChunk(pcm8k)), waveInvalidHeader},
        {"no data chunk", riff(fmtChunk(pcm8k) + chunk("LIST", "abcd")), waveInvalidHeader},
        {"data longer than the file", riff(fmtChunk(pcm8k) + dataChunk(4000)).substr(0, 3000),
         waveInvalidHeader},
        {"fmt too short to hold a PCM format", riff(chunk("fmt ", le(1, 2) + le(1, 2)) + dataChunk(4000)),
         waveInvalidHeader},
        {"other chunks are skipped, odd sizes unpadded",
         riff(chunk("LIST", "abc") + fmtChunk(pcm8k) + chunk("fact", "x") + dataChunk(400)),
         rateCode8k},
    };
    for (const Case& c : cases) EXPECT_EQ(check(c.file), c.result) << c.name;
}

TEST(CheckWave, ReportsWhereTheSamplesAre) {
    const std::string file = riff(chunk("junk", "12345") + fmtChunk(Format{}) + dataChunk(401));
    tarnwick::WaveInfo info;
    ASSERT_EQ(check(file, info), tarnwick::rateCode8k);
    EXPECT_EQ(info.dataOffset, 12u + 13u + 24u + 8u);
    EXPECT_EQ(info.dataSize, 401u);
    EXPECT_EQ(info.rateCode, tarnwick::rateCode8k);
}
