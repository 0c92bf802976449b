#include "voxreel/render/voice_decoder.hpp"
#include "voxreel/render/voice_renderer.hpp"

#include "tests/support/scratch.hpp"
#include "shared/byte_order.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using testing_support::ScratchFolder;
using testing_support::fileBytes;

namespace {

struct Frame {
    int left, right;
};

struct RenderedFile {
    std::uint32_t rate = 0;
    std::vector<Frame> frames;
};

RenderedFile readRendered(const platform::Path& path) {
    const std::string bytes = fileBytes(path);
    RenderedFile file;
    if (bytes.size() < 44) return file;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    file.rate = suite::readLe32(p + 24);
    for (std::size_t at = 44; at + 4 <= bytes.size(); at += 4)
        file.frames.push_back({static_cast<std::int16_t>(suite::readLe16(p + at)),
                               static_cast<std::int16_t>(suite::readLe16(p + at + 2))});
    return file;
}

// A step-ADPCM stream that decodes to a loud, busy signal.
std::vector<unsigned char> loudVoice(std::size_t bytes) {
    std::vector<unsigned char> data(bytes);
    for (std::size_t i = 0; i < bytes; ++i) data[i] = (i / 3) % 2 ? 0x77 : 0xFF;
    return data;
}

// The renderer's gain for a master volume and a volume, before the pan factor.
double unitScale(int masterVolume, int volume) {
    return static_cast<double>(masterVolume) * volume * 3.844734251968504e-6;
}

class Renderer : public ::testing::Test {
protected:
    ScratchFolder folder;
    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer{output, folder.path()};

    voxreel::BlockRenderRequest stepBlock(const std::vector<unsigned char>& data) {
        voxreel::BlockRenderRequest request;
        request.vendorCode = 0x41;
        request.variantCode = 300;
        request.data = data;
        request.sampleRate = 8000;
        return request;
    }
    std::vector<std::int16_t> decoded(const std::vector<unsigned char>& data) {
        return voxreel::decodeVoice(voxreel::VoiceCodec::stepHighNibbleFirst, data, 8000, 4).samples;
    }
};

} // namespace

TEST_F(Renderer, JobFilesAreNumberedModuloOneHundred) {
    std::vector<std::string> names;
    for (int job = 0; job < 101; ++job) {
        renderer.beginRenderJob();
        names.push_back(renderer.fileName().filename().string());
    }
    EXPECT_EQ(names[0], "_wmtmp00.wav");
    EXPECT_EQ(names[9], "_wmtmp09.wav");
    EXPECT_EQ(names[99], "_wmtmp99.wav");
    EXPECT_EQ(names[100], "_wmtmp00.wav");
}

TEST_F(Renderer, ANewJobDeletesThePreviousFile) {
    renderer.beginRenderJob();
    const platform::Path first = renderer.fileName();
    EXPECT_TRUE(platform::fileExists(first));
    EXPECT_EQ(fileBytes(first), "") << "a job's file starts empty";
    renderer.beginRenderJob();
    EXPECT_FALSE(platform::fileExists(first));
    EXPECT_TRUE(platform::fileExists(renderer.fileName()));
}

TEST_F(Renderer, CentredFullVolumeGainAndFramePlacement) {
    const auto data = loudVoice(400);
    const auto s = decoded(data);
    renderer.beginRenderJob();
    EXPECT_EQ(renderer.masterVolume(), 100);
    renderer.renderBlock(stepBlock(data));

    const RenderedFile file = readRendered(renderer.fileName());
    ASSERT_EQ(file.frames.size(), s.size()) << "n samples take frames 0 .. n - 1";
    EXPECT_EQ(file.rate, 8000u);
    EXPECT_EQ(file.frames[0].left, 0) << "frame 0 of a block is not touched";
    const double gain = 63 * 32 * 100 / 260096.0;
    EXPECT_NEAR(gain, 0.775, 0.0002);
    int checked = 0;
    for (std::size_t k = 0; k + 1 < s.size(); ++k) {
        const int expected = static_cast<int>(std::trunc(gain * s[k]));
        ASSERT_NEAR(file.frames[k + 1].left, expected, 1) << k;
        ASSERT_EQ(file.frames[k + 1].left, file.frames[k + 1].right) << k;
        checked += s[k] != 0;
    }
    EXPECT_GT(checked, 100);
}

TEST_F(Renderer, OverlappingBlocksAddUpAndClampSymmetrically) {
    const auto data = loudVoice(2000);
    renderer.beginRenderJob();
    renderer.setMasterVolume(127);
    auto request = stepBlock(data);
    renderer.renderBlock(request);
    renderer.renderBlock(request);
    request.startMs = 10; // 80 frames later
    renderer.renderBlock(request);

    const RenderedFile file = readRendered(renderer.fileName());
    ASSERT_EQ(file.frames.size(), 80 + 4000u);
    int atTop = 0;
    for (const Frame& f : file.frames) {
        EXPECT_GE(f.left, -32767);
        EXPECT_LE(f.left, 32767);
        atTop += std::abs(f.left) == 32767;
    }
    EXPECT_GT(atTop, 0) << "the sum must reach the clamp";

    // Below the clamp, two equal blocks give twice one block.
    const auto s = decoded(data);
    const double gain = 32 * unitScale(127, 63);
    for (std::size_t k = 0; k + 1 < 80; ++k) {
        const double once = std::trunc(gain * s[k]);
        const double expected = std::clamp(std::trunc(once + gain * s[k]), -32767.0, 32767.0);
        EXPECT_EQ(file.frames[k + 1].left, static_cast<int>(expected)) << k;
    }
}

TEST_F(Renderer, PansAndStereoHalves) {
    EXPECT_EQ(voxreel::panFactors(32).left, 32);
    EXPECT_EQ(voxreel::panFactors(32).right, 32);
    EXPECT_EQ(voxreel::panFactors(0).left, 32);
    EXPECT_EQ(voxreel::panFactors(0).right, 1);
    EXPECT_EQ(voxreel::panFactors(64).left, 0);
    EXPECT_EQ(voxreel::panFactors(64).right, 32);
    EXPECT_EQ(voxreel::panFactors(63).left, 0);

    // 2m bytes: the first m are the left channel, the next m the right one.
    std::vector<unsigned char> stereo = loudVoice(300);
    const std::vector<unsigned char> quiet(300, 0x00);
    stereo.insert(stereo.end(), quiet.begin(), quiet.end());
    renderer.beginRenderJob();
    auto request = stepBlock(stereo);
    request.stereo = true;
    renderer.renderBlock(request);

    const auto& passes = renderer.renderedVoices();
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(passes[0].dataBytes, 300);
    EXPECT_EQ(passes[0].pan, 0);
    EXPECT_EQ(passes[1].dataBytes, 300);
    EXPECT_EQ(passes[1].pan, 64);

    const RenderedFile file = readRendered(renderer.fileName());
    const auto left = decoded(loudVoice(300));
    const auto right = decoded(quiet);
    const double scale = unitScale(100, 63);
    for (std::size_t k = 0; k + 1 < left.size(); k += 37) {
        const int afterLeft = static_cast<int>(std::trunc(32 * scale * left[k]));
        EXPECT_EQ(file.frames[k + 1].left, afterLeft) << k;
        const int rightFromLeft = static_cast<int>(std::trunc(1 * scale * left[k]));
        EXPECT_EQ(file.frames[k + 1].right,
                  static_cast<int>(std::trunc(rightFromLeft + 32 * scale * right[k])))
            << k;
    }
}

TEST_F(Renderer, NibbleInterleavedStereoSplitsEachByte) {
    // Interleaved bytes hold the left code in the high nibble of each and the right code in
    // the low nibble: left 0x7F 0x7F ..., right 0x00 ....
    std::vector<unsigned char> interleaved;
    for (int i = 0; i < 200; ++i) {
        const unsigned char left = 0x7F, right = 0x00;
        interleaved.push_back(static_cast<unsigned char>((left & 0xF0) | (right >> 4)));
        interleaved.push_back(static_cast<unsigned char>(((left & 0x0F) << 4) | (right & 0x0F)));
    }
    renderer.beginRenderJob();
    auto request = stepBlock(interleaved);
    request.stereo = true;
    request.stereoLayout = 1;
    renderer.renderBlock(request);
    const auto left = decoded(std::vector<unsigned char>(200, 0x7F));
    const RenderedFile file = readRendered(renderer.fileName());
    const double scale = unitScale(100, 63);
    ASSERT_EQ(file.frames.size(), left.size());
    for (std::size_t k = 0; k + 1 < left.size(); k += 11)
        EXPECT_EQ(file.frames[k + 1].left, static_cast<int>(std::trunc(32 * scale * left[k]))) << k;
}

TEST_F(Renderer, TwoBitG726At4000IsPlacedAt8000) {
    const std::vector<unsigned char> data(100, 0x1B);
    renderer.beginRenderJob();
    voxreel::BlockRenderRequest request;
    request.vendorCode = 0x61;
    request.variantCode = 300;
    request.data = data;
    request.sampleRate = 4000;
    request.codeWidth = 2;
    request.startMs = 1000;
    renderer.renderBlock(request);

    const RenderedFile file = readRendered(renderer.fileName());
    EXPECT_EQ(file.rate, 8000u);
    EXPECT_EQ(file.frames.size(), 8000u + 400u);
    EXPECT_EQ(renderer.renderedVoices().at(0).startFrame, 8000);
}

TEST_F(Renderer, BlockListsAndTheBlockForATick) {
    renderer.beginRenderJob();
    voxreel::VoiceBlock block;
    for (int tick : {0, 100, 200}) {
        block.startTick = tick;
        block.length = tick;
        ASSERT_TRUE(renderer.addBlock(5, block));
    }
    EXPECT_FALSE(renderer.addBlock(128, block));
    EXPECT_FALSE(renderer.addBlock(-1, block));
    EXPECT_EQ(renderer.blockCount(5), 3);
    EXPECT_EQ(renderer.blockCount(128), 0);

    struct Case {
        int tick, length;
    };
    for (Case c : {Case{0, 0}, Case{99, 0}, Case{100, 100}, Case{150, 100}, Case{5000, 200}}) {
        voxreel::VoiceBlock found;
        ASSERT_TRUE(renderer.findBlockForTick(5, c.tick, found));
        EXPECT_EQ(found.length, c.length) << c.tick;
    }
    voxreel::VoiceBlock none;
    EXPECT_FALSE(renderer.findBlockForTick(6, 0, none));
    EXPECT_FALSE(renderer.getBlock(5, 3, none));
    EXPECT_FALSE(renderer.setBlock(5, -1, none));

    renderer.beginRenderJob();
    EXPECT_EQ(renderer.blockCount(5), 0) << "a new job empties the lists";
}

TEST_F(Renderer, NothingRenderedLeavesAnEmptyFileThatIsStillPlayed) {
    renderer.beginRenderJob();
    renderer.play();
    EXPECT_EQ(output.lastFile(), renderer.fileName());
    EXPECT_EQ(fileBytes(renderer.fileName()), "");
}

TEST(RendererLifetime, DestructionDeletesTheLastFile) {
    ScratchFolder folder;
    voxreel::SilentSoundOutput output;
    platform::Path last;
    {
        voxreel::VoiceRenderer renderer(output, folder.path());
        renderer.beginRenderJob();
        last = renderer.fileName();
        EXPECT_TRUE(platform::fileExists(last));
    }
    EXPECT_FALSE(platform::fileExists(last));
}
