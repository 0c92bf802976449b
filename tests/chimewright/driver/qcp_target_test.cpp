// The QCP target made with an encoder of chimewright's own: how the 8 kHz temporary file is
// cut into frames, what is written, and that a failure leaves no file. A scripted encoder
// stands in for the QCELP-13K coder.
#include "chimewright/driver/qcp_target.hpp"
#include "chimewright/qcp/qcp_file.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

// Hands out one packet per frame (the frame's number and its first and last sample in the
// payload) and keeps the frames it was given; refuses the frame numbered `refuse`.
class ScriptedEncoder : public cw::QcelpFrameEncoder {
public:
    explicit ScriptedEncoder(int refuse = -1) : refuse_(refuse) {}

    bool encode(std::span<const std::int16_t, cw::qcelpFrameSamples> frame,
                cw::QcelpPacket& packet) override {
        const int number = static_cast<int>(frames.size());
        frames.emplace_back(frame.begin(), frame.end());
        if (number == refuse_) return false;
        packet.rate = number % 2 ? cw::QcelpRate::half : cw::QcelpRate::full;
        packet.bytes.fill(0);
        packet.bytes[0] = static_cast<std::uint8_t>(number);
        packet.bytes[1] = static_cast<std::uint8_t>(frame.front());
        packet.bytes[2] = static_cast<std::uint8_t>(frame.back());
        return true;
    }

    std::vector<std::vector<std::int16_t>> frames;

private:
    int refuse_;
};

std::vector<std::int32_t> ramp(int count) {
    std::vector<std::int32_t> samples;
    for (int i = 0; i < count; ++i) samples.push_back(i + 1);
    return samples;
}

class QcpTarget : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path wav = scratch / "_cwmtmp.wav";
    platform::Path output = scratch / "out" / "qcp" / "bell.qcp";
};

} // namespace

TEST_F(QcpTarget, FramesOf160WithTheLastFilledWithSilence) {
    putFile(wav, makeWav(WavSpec{}, ramp(400)));
    ScriptedEncoder encoder;
    ASSERT_TRUE(cw::encodeWavToQcp(wav, output, encoder));

    ASSERT_EQ(encoder.frames.size(), 3u);
    EXPECT_EQ(encoder.frames[0].front(), 1);
    EXPECT_EQ(encoder.frames[1].front(), 161);
    EXPECT_EQ(encoder.frames[2][79], 400);
    EXPECT_EQ(encoder.frames[2][80], 0) << "the last frame is filled up with silence";
    EXPECT_EQ(encoder.frames[2].back(), 0);

    // The file holds the packets in order, as the container writes them.
    cw::QcpPackets expected;
    ScriptedEncoder again;
    for (const auto& frame : encoder.frames) {
        cw::QcelpPacket packet;
        again.encode(std::span<const std::int16_t, cw::qcelpFrameSamples>(frame.data(), frame.size()),
                     packet);
        expected.append(packet);
    }
    const auto image = cw::buildQcpFile(expected);
    EXPECT_EQ(fileBytes(output), std::string(image.begin(), image.end()));
}

TEST_F(QcpTarget, AnOddByteAtTheEndIsTheLowByteOfOneMoreSample) {
    std::string bytes = makeWav(WavSpec{}, ramp(160));
    bytes.push_back('\x05');
    putFile(wav, bytes);
    ScriptedEncoder encoder;
    ASSERT_TRUE(cw::encodeWavToQcp(wav, output, encoder));
    ASSERT_EQ(encoder.frames.size(), 2u);
    EXPECT_EQ(encoder.frames[1].front(), 5);
}

TEST_F(QcpTarget, FailuresLeaveNoFile) {
    struct Case {
        const char* name;
        std::string wavBytes; // empty: no file
        int refuse;
    };
    const std::string header = makeWav(WavSpec{}, {});
    const Case cases[] = {
        {"no temporary file", "", -1},
        {"a header without samples", header, -1},
        {"a file shorter than its header", header.substr(0, 20), -1},
        {"the encoder refuses the first frame", makeWav(WavSpec{}, ramp(500)), 0},
        {"the encoder refuses the last frame", makeWav(WavSpec{}, ramp(500)), 3},
    };
    for (const Case& c : cases) {
        platform::deleteFile(wav);
        if (!c.wavBytes.empty()) putFile(wav, c.wavBytes);
        ScriptedEncoder encoder(c.refuse);
        EXPECT_FALSE(cw::encodeWavToQcp(wav, output, encoder)) << c.name;
        EXPECT_FALSE(platform::fileExists(output)) << c.name;
    }
}

TEST_F(QcpTarget, AnOutputThatCannotBeCreatedIsNotWritten) {
    putFile(wav, makeWav(WavSpec{}, ramp(320)));
    ASSERT_TRUE(platform::createFolder(scratch / "taken.qcp"));
    ScriptedEncoder encoder;
    EXPECT_FALSE(cw::encodeWavToQcp(wav, scratch / "taken.qcp", encoder));
}
