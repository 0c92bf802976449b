// The QCP container: its header bytes worked out by hand, the average bit rate of mixed
// rates, and the file as ffmpeg's QCP reader splits it into packets.
#include "chimewright/qcp/qcp_file.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

using namespace testing_support;

namespace {

cw::QcelpPacket packetOf(cw::QcelpRate rate, std::uint8_t fill) {
    cw::QcelpPacket packet;
    packet.rate = rate;
    for (std::size_t i = 0; i < packet.payloadSize(); ++i)
        packet.bytes[i] = static_cast<std::uint8_t>(fill + i);
    return packet;
}

void appendBytes(std::vector<std::uint8_t>& out, std::initializer_list<int> bytes) {
    for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}

} // namespace

TEST(QcpFile, HeaderBytesOfThreeFullRatePackets) {
    cw::QcpPackets packets;
    for (std::uint8_t fill : {0x10, 0x40, 0x70}) packets.append(packetOf(cw::QcelpRate::full, fill));
    const std::vector<std::uint8_t> image = cw::buildQcpFile(packets);

    // 3 packets of 35 bytes: 105 data bytes and one pad byte after them.
    std::vector<std::uint8_t> expected;
    appendBytes(expected, {'R', 'I', 'F', 'F', 0x24, 0x01, 0, 0, 'Q', 'L', 'C', 'M'}); // 292
    appendBytes(expected, {'f', 'm', 't', ' ', 150, 0, 0, 0, 1, 0});
    appendBytes(expected, {0x41, 0x6D, 0x7F, 0x5E, 0x15, 0xB1, 0xD0, 0x11, 0xBA, 0x91, 0x00, 0x80,
                           0x5F, 0xB4, 0xB9, 0x7E}); // {5E7F6D41-B115-11D0-BA91-00805FB4B97E}
    appendBytes(expected, {1, 0, 'Q', 'c', 'e', 'l', 'p', ' ', '1', '3', 'K'});
    expected.resize(expected.size() + 80 - 9, 0);
    appendBytes(expected, {0xB0, 0x36, 35, 0, 160, 0, 0x40, 0x1F, 16, 0}); // 14000 bps, 8000 Hz
    appendBytes(expected, {4, 0, 0, 0, 34, 4, 16, 3, 7, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    expected.resize(expected.size() + 20, 0);
    appendBytes(expected, {'v', 'r', 'a', 't', 8, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0});
    appendBytes(expected, {'d', 'a', 't', 'a', 105, 0, 0, 0});
    ASSERT_EQ(expected.size(), cw::qcpHeaderSize);

    ASSERT_EQ(image.size(), cw::qcpHeaderSize + 106);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.begin() + cw::qcpHeaderSize), expected);
    EXPECT_EQ(image[cw::qcpHeaderSize], 4) << "rate octet of the first packet";
    EXPECT_EQ(image[cw::qcpHeaderSize + 1], 0x10);
    EXPECT_EQ(image[cw::qcpHeaderSize + 35], 4) << "rate octet of the second packet";
    EXPECT_EQ(image[cw::qcpHeaderSize + 35 + 34], 0x40 + 33);
    EXPECT_EQ(image.back(), 0) << "pad byte";
}

TEST(QcpFile, AverageBitRateFollowsThePacketsWritten) {
    struct Case {
        const char* name;
        std::vector<cw::QcelpRate> rates;
        std::uint16_t bitRate;
    };
    using R = cw::QcelpRate;
    const Case cases[] = {
        {"empty: the full rate's", {}, 14000},
        {"full rate", {R::full, R::full}, 14000},
        {"full and eighth", {R::full, R::eighth}, 7800},      // 39 bytes in 40 ms
        {"half, quarter, eighth", {R::half, R::quarter, R::eighth}, 3867}, // 29 bytes in 60 ms
    };
    for (const Case& c : cases) {
        cw::QcpPackets packets;
        for (R rate : c.rates) packets.append(packetOf(rate, 1));
        EXPECT_EQ(cw::qcpAverageBitRate(packets), c.bitRate) << c.name;
        const auto image = cw::buildQcpFile(packets);
        EXPECT_EQ(image.size() % 2, 0u) << c.name;
        EXPECT_EQ(image[20 + 2 + 16 + 2 + 80], c.bitRate & 0xFF) << c.name;
        EXPECT_EQ(image[20 + 2 + 16 + 2 + 81], c.bitRate >> 8) << c.name;
    }
}

TEST(QcpFile, FfmpegSplitsTheFileIntoItsPackets) {
#ifdef _WIN32
    GTEST_SKIP() << "ffprobe is a Linux tool; the header bytes are checked above";
#else
    if (std::system("command -v ffprobe >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffprobe";
    cw::QcpPackets packets;
    std::string sizes;
    for (int i = 0; i < 25; ++i) {
        const cw::QcelpRate rate = i % 5 == 4 ? cw::QcelpRate::half : cw::QcelpRate::full;
        packets.append(packetOf(rate, static_cast<std::uint8_t>(i)));
        sizes += "size=" + std::to_string(cw::qcelpPayloadSize(rate)) + "\n";
    }
    ScratchFolder work;
    const auto image = cw::buildQcpFile(packets);
    putFile(work / "a.qcp", std::string(image.begin(), image.end()));

    const std::string out = (work / "out").string(), err = (work / "err").string();
    const std::string command = "ffprobe -v error -show_entries stream=codec_name,sample_rate,"
                                "channels:packet=size -of default=noprint_wrappers=1 '" +
                                (work / "a.qcp").string() + "' >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << fileBytes(work / "err");
    EXPECT_EQ(fileBytes(work / "err"), "");
    // ffprobe prints the packets first, then the stream; the reader hands on each payload
    // without its rate octet.
    EXPECT_EQ(fileBytes(work / "out"), sizes + "codec_name=qcelp\nsample_rate=8000\nchannels=1\n");
#endif
}
