// Our IMA ADPCM blocks in a WAVE file, decoded by ffmpeg's adpcm_ima_wav.
//
// ffmpeg reads the layout exactly as we write it (block headers, nibble order, step index
// carried by the codes) but reconstructs each difference as ((2 × magnitude + 1) × step) >> 3,
// one rounding for the whole product, where the IMA format (and our decoder, and the platform
// codecs the handsets' files come from) adds the truncated terms step >> 3, step >> 2,
// step >> 1 and step selected by the code bits. The two differ by up to 2 per sample, and the
// difference accumulates in the predictor until the next block header resets it.
//
// What must hold, and is asserted: every sample ffmpeg gives equals that product-rule reading
// of our blocks, every block's first sample equals ours and our input, and the two readings
// stay close.
#include "shared/byte_order.hpp"
#include "shared/ima_adpcm.hpp"
#include "tests/shared/codec_test_signals.hpp"
#include "tests/shared/ffmpeg_tool.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A mono 8000-Hz WAVE file (format tag 0x11) around IMA blocks.
std::string imaWaveFile(const std::vector<unsigned char>& blocks, std::uint32_t sampleCount) {
    unsigned char h[60] = {};
    std::copy_n("RIFF", 4, h);
    suite::writeLe32(h + 4, static_cast<std::uint32_t>(52 + blocks.size()));
    std::copy_n("WAVEfmt ", 8, h + 8);
    suite::writeLe32(h + 16, 20);
    suite::writeLe16(h + 20, 0x11);
    suite::writeLe16(h + 22, 1);
    suite::writeLe32(h + 24, 8000);
    suite::writeLe32(h + 28, suite::imaAdpcmBytesPerSecond8k);
    suite::writeLe16(h + 32, 256);
    suite::writeLe16(h + 34, 4);
    suite::writeLe16(h + 36, 2);
    suite::writeLe16(h + 38, 505);
    std::copy_n("fact", 4, h + 40);
    suite::writeLe32(h + 44, 4);
    suite::writeLe32(h + 48, sampleCount);
    std::copy_n("data", 4, h + 52);
    suite::writeLe32(h + 56, static_cast<std::uint32_t>(blocks.size()));
    return std::string(reinterpret_cast<const char*>(h), sizeof h) +
           std::string(blocks.begin(), blocks.end());
}

// The blocks read with the single-rounding difference rule.
std::vector<std::int16_t> decodeWithProductRule(const std::vector<unsigned char>& bytes) {
    constexpr int adjust[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
    std::vector<std::int16_t> out;
    for (std::size_t at = 0; at + 256 <= bytes.size(); at += 256) {
        int predictor = static_cast<std::int16_t>(suite::readLe16(&bytes[at]));
        int index = bytes[at + 2];
        out.push_back(static_cast<std::int16_t>(predictor));
        for (std::size_t j = 4; j < 256; ++j) {
            for (unsigned code : {bytes[at + j] & 0x0Fu, static_cast<unsigned>(bytes[at + j] >> 4)}) {
                const int diff = ((2 * static_cast<int>(code & 7) + 1) * suite::imaAdpcmStep(index)) >> 3;
                predictor = std::clamp(predictor + (code & 8 ? -diff : diff), -32768, 32767);
                index = std::clamp(index + adjust[code & 7], 0, 88);
                out.push_back(static_cast<std::int16_t>(predictor));
            }
        }
    }
    return out;
}

class ImaAgainstFfmpeg : public testing::TestWithParam<int> {};

TEST_P(ImaAgainstFfmpeg, FfmpegReadsOurBlocks) {
    SKIP_UNLESS_FFMPEG();
    const auto samples = GetParam() == 0 ? codec_test::speechLike(20000) : codec_test::musicLike(20000);
    std::vector<unsigned char> blocks(suite::imaAdpcmEncodedSize(samples.size()));
    ASSERT_EQ(suite::encodeImaAdpcmBlocks(samples, blocks), blocks.size());
    std::vector<std::int16_t> ours(blocks.size() / 256 * 505);
    suite::decodeImaAdpcmBlocks(blocks, ours);

    testing_support::ScratchFolder dir;
    const auto wav = dir / "ima.wav";
    const auto raw = dir / "out.raw";
    testing_support::putFile(wav, imaWaveFile(blocks, static_cast<std::uint32_t>(ours.size())));
    ASSERT_TRUE(codec_test::runFfmpeg("-i " + codec_test::quoted(wav.string()) + " -f s16le " +
                                      codec_test::quoted(raw.string())));
    const auto theirs = codec_test::pcmSamples(testing_support::fileBytes(raw));
    ASSERT_EQ(theirs.size(), ours.size());

    EXPECT_EQ(theirs, decodeWithProductRule(blocks));
    for (std::size_t i = 0; i < ours.size(); i += 505) {
        ASSERT_EQ(theirs[i], ours[i]);
        ASSERT_EQ(ours[i], samples[i]);
    }
    EXPECT_GT(codec_test::snrDb(ours, theirs), 25.0);
}

INSTANTIATE_TEST_SUITE_P(Signals, ImaAgainstFfmpeg, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == 0 ? "speech" : "music");
                         });

} // namespace
