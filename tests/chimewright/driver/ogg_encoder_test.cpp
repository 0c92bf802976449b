#include "chimewright/driver/ogg_encoder.hpp"
#include "tests/chimewright/driver/ogg_stream_reader.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using testing_support::decodeOgg;
using testing_support::oggPages;

namespace {

// 16-bit little-endian sample bytes of a sine (amplitude 0 gives silence).
std::vector<std::uint8_t> sineBytes(std::size_t samples, double frequency, double rate,
                                    double amplitude) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples * 2);
    for (std::size_t i = 0; i < samples; ++i) {
        const double v = amplitude * std::sin(2 * 3.14159265358979323846 * frequency *
                                              static_cast<double>(i) / rate);
        const auto s = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v)));
        bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(s >> 8));
    }
    return bytes;
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(to - from));
}

std::string encode(const std::vector<std::uint8_t>& left, const std::vector<std::uint8_t>& right,
                   std::size_t byteCount, int rate, int channels, std::string_view title = "t",
                   std::string_view copyright = "") {
    std::vector<std::uint8_t> out;
    const std::size_t n = cw::encodeOgg(out, left.data(), channels == 2 ? right.data() : nullptr,
                                        byteCount, 1, rate, channels, title, copyright);
    EXPECT_EQ(n, out.size());
    return std::string(out.begin(), out.end());
}

} // namespace

// The stream holds exactly the samples given, whatever their count against the 1024-sample
// chunks, and ends with one end-of-stream page.
TEST(EncodeOgg, KeepsEverySampleAcrossChunkBoundaries) {
    struct Case { std::size_t samples; int rate; int channels; };
    const Case cases[] = {
        {0, 16000, 1},    {1, 16000, 1},    {1023, 16000, 1}, {1024, 16000, 1},
        {1025, 32000, 1}, {2048, 32000, 1}, {44100, 16000, 2}, {3000, 16000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.samples << " samples, " << c.channels << " ch");
        const auto left = sineBytes(c.samples, 440, c.rate, 9000);
        const auto right = sineBytes(c.samples, 660, c.rate, 9000);
        const std::string image = encode(left, right, left.size(), c.rate, c.channels);
        const auto decoded = decodeOgg(image);
        ASSERT_TRUE(decoded.valid);
        EXPECT_EQ(decoded.channels, c.channels);
        EXPECT_EQ(decoded.rate, c.rate);
        EXPECT_EQ(decoded.samples, static_cast<long long>(c.samples));
        for (const auto& channel : decoded.pcm) EXPECT_EQ(channel.size(), c.samples);

        const auto pages = oggPages(image);
        ASSERT_GE(pages.size(), 2u);
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            bytes += pages[i].bytes;
            EXPECT_EQ(pages[i].serial, pages[0].serial);
            EXPECT_EQ(pages[i].endOfStream, i + 1 == pages.size()) << "page " << i;
        }
        EXPECT_EQ(bytes, image.size()); // nothing but whole pages
    }
}

TEST(EncodeOgg, AnOddByteCountDropsTheLoneLastByte) {
    const auto left = sineBytes(1025, 440, 16000, 9000);
    const auto decoded = decodeOgg(encode(left, {}, 2049, 16000, 1));
    EXPECT_EQ(decoded.samples, 1024);
}

TEST(EncodeOgg, CommentsInTheirOrderWithTheBytesAsGiven) {
    const auto samples = sineBytes(4000, 440, 16000, 9000);
    const std::string title = "\x92\x85\x90\x4d bell"; // code page 932, stored unconverted
    const std::string copyright = "(c) \x83\x65\x83\x58\x83\x67";

    struct Case { std::string title, copyright; std::vector<std::string> comments; };
    const Case cases[] = {
        {title, copyright,
         {"title=" + title, "Copyright=" + copyright, "ANDROID_LOOP=true", "ENCODER=chimewright"}},
        {" ", "", {"title= ", "ANDROID_LOOP=true", "ENCODER=chimewright"}},
        {"", "", {"ANDROID_LOOP=true", "ENCODER=chimewright"}},
    };
    for (const Case& c : cases) {
        const auto decoded = decodeOgg(encode(samples, {}, samples.size(), 16000, 1, c.title, c.copyright));
        ASSERT_TRUE(decoded.valid);
        EXPECT_EQ(decoded.comments, c.comments);
    }
}

// Scaling and channel order: a loud left channel and a silent right one come back that way.
TEST(EncodeOgg, DecodesToTheLevelAndChannelsItWasGiven) {
    const std::size_t n = 16000;
    const auto left = sineBytes(n, 1000, 16000, 16384); // half of full scale
    const auto right = sineBytes(n, 1000, 16000, 0);
    const auto decoded = decodeOgg(encode(left, right, left.size(), 16000, 2));
    ASSERT_TRUE(decoded.valid);
    ASSERT_EQ(decoded.pcm.size(), 2u);
    const double expected = 0.5 / std::sqrt(2.0);
    EXPECT_NEAR(rms(decoded.pcm[0], 2000, n - 2000), expected, expected * 0.15);
    EXPECT_LT(rms(decoded.pcm[1], 2000, n - 2000), 0.01);
}

TEST(EncodeOgg, EveryStreamGetsItsOwnSerialNumber) {
    const auto samples = sineBytes(2000, 440, 16000, 9000);
    const auto first = oggPages(encode(samples, {}, samples.size(), 16000, 1));
    const auto second = oggPages(encode(samples, {}, samples.size(), 16000, 1));
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first[0].serial, second[0].serial);
}

TEST(EncodeOgg, AppendsToWhatTheBufferHolds) {
    const auto samples = sineBytes(2000, 440, 16000, 9000);
    std::vector<std::uint8_t> out = {1, 2, 3};
    const std::size_t n = cw::encodeOgg(out, samples.data(), nullptr, samples.size(), 1, 16000, 1, "t", "");
    ASSERT_GT(n, 0u);
    EXPECT_EQ(out.size(), n + 3);
    EXPECT_EQ(std::string(out.begin() + 3, out.begin() + 7), "OggS");
}

// Set-ups the encoder refuses give nothing and leave the buffer alone.
TEST(EncodeOgg, RefusedSetUpWritesNothing) {
    const auto samples = sineBytes(2000, 440, 16000, 9000);
    struct Case { int rate; int channels; };
    const Case cases[] = {{16000, 0}, {16000, 3}, {0, 1}, {16000, 2} /* no right channel */};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> out = {7};
        EXPECT_EQ(cw::encodeOgg(out, samples.data(), nullptr, samples.size(), 1, c.rate, c.channels, "t", ""), 0u)
            << c.rate << " Hz, " << c.channels << " ch";
        EXPECT_EQ(out.size(), 1u);
    }
}
