// Compressed WAVE input: decoding to PCM with the platform's codecs, then the conversion job.
//
// The fixtures in tests/data/compressed were made by tools/make-compressed-fixtures.sh: 440 Hz
// on the first channel and 660 Hz on the second, at half of full scale.
#include "chimewright/audio/wav_image.hpp"
#include "chimewright/driver/compressed_input.hpp"
#include "chimewright/driver/job.hpp"
#include "shared/byte_order.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using namespace testing_support;
namespace opt = cw::option;

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double toneAmplitude = 16384; // -6 dBFS on the 16-bit scale

#ifdef _WIN32
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif

struct Fixture {
    const char* file;
    std::uint16_t tag;
    unsigned channels;
    std::uint32_t rate;
    double minSnrDb;       // tone against everything else, on each channel
    bool codecMayBeAbsent; // the platform need not ship a codec for it: a 2016 is a skip
};

std::ostream& operator<<(std::ostream& out, const Fixture& f) { return out << f.file; }

// Wine, like Windows, ships IMA ADPCM, MS ADPCM and MPEG layer 3 codecs; the rest depends on the
// installation. libsndfile decodes all of them, MPEG only when it was built with it.
const Fixture fixtures[] = {
    {"ima_adpcm_stereo_22050.wav", 0x11, 2, 22050, 20, false},
    {"ms_adpcm_mono_11025.wav", 0x02, 1, 11025, 30, false},
    {"alaw_stereo_8000.wav", 0x06, 2, 8000, 30, onWindows},
    {"mulaw_mono_8000.wav", 0x07, 1, 8000, 30, onWindows},
    {"float_stereo_8000.wav", 0x03, 2, 8000, 80, onWindows},
    {"extensible_24bit_stereo_8000.wav", 0xFFFE, 2, 8000, 80, onWindows},
    {"gsm610_mono_8000.wav", 0x31, 1, 8000, 25, onWindows},
    {"mp3_stereo_22050.wav", 0x55, 2, 22050, 40, !onWindows},
};

std::string fixtureBytes(const char* name) {
    const char* root = std::getenv("CW_SOURCE_DIR");
    if (!root) return {};
    return fileBytes(platform::Path(root) / "tests" / "data" / "compressed" / name);
}

const unsigned char* bytesOf(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

// A decoded PCM file: its format and its samples, one vector per channel.
struct PcmFile {
    cw::WavFormat format;
    std::vector<std::vector<double>> channels;
};

// Parses what the decoder wrote; fails the test when it is not a PCM WAVE file with the fmt
// chunk first and a data chunk inside the file.
PcmFile readPcmFile(const std::string& bytes) {
    PcmFile pcm;
    EXPECT_GE(bytes.size(), 44u);
    if (bytes.size() < 44) return pcm;
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    pcm.format = cw::readWavFormat(bytesOf(bytes));
    EXPECT_EQ(pcm.format.formatTag, 1);
    const std::size_t fmtSize = suite::readLe32(bytesOf(bytes) + 16);
    auto data = cw::findDataChunk(bytesOf(bytes), 20 + fmtSize, bytes.size());
    EXPECT_TRUE(data.has_value()) << "no data chunk";
    if (!data) return pcm;
    EXPECT_LE(data->offset + data->size, bytes.size());
    const unsigned width = pcm.format.bitsPerSample / 8u;
    const unsigned count = pcm.format.channels;
    if ((width != 1 && width != 2) || count == 0) return pcm;
    pcm.channels.resize(count);
    const std::size_t end = std::min(bytes.size(), data->offset + data->size);
    for (std::size_t at = data->offset; at + width * count <= end; at += width * count)
        for (unsigned c = 0; c < count; ++c) {
            const unsigned char* p = bytesOf(bytes) + at + c * width;
            pcm.channels[c].push_back(width == 1 ? (p[0] - 128) * 256.0
                                                 : static_cast<std::int16_t>(suite::readLe16(p)));
        }
    return pcm;
}

struct ToneFit {
    std::vector<double> amplitudes; // one per frequency
    double snrDb = 0;               // the fitted tones against the rest
};

// Least-squares fit of sines of the given frequencies (free amplitude and phase) to the middle
// half of the samples, which keeps codec start-up and encoder delay out of the measure.
ToneFit fitTones(const std::vector<double>& samples, double rate,
                 std::initializer_list<double> frequencies) {
    const std::size_t begin = samples.size() / 4, end = samples.size() * 3 / 4;
    const std::size_t n = 2 * frequencies.size();
    std::vector<std::vector<double>> basis;
    for (double f : frequencies)
        for (int phase = 0; phase < 2; ++phase) {
            std::vector<double> column;
            for (std::size_t i = begin; i < end; ++i) {
                const double angle = 2 * pi * f * static_cast<double>(i) / rate;
                column.push_back(phase ? std::cos(angle) : std::sin(angle));
            }
            basis.push_back(column);
        }
    // Normal equations, solved by Gaussian elimination.
    std::vector<std::vector<double>> m(n, std::vector<double>(n + 1, 0));
    for (std::size_t r = 0; r < n; ++r) {
        for (std::size_t c = 0; c < n; ++c)
            for (std::size_t i = 0; i < end - begin; ++i) m[r][c] += basis[r][i] * basis[c][i];
        for (std::size_t i = 0; i < end - begin; ++i) m[r][n] += basis[r][i] * samples[begin + i];
    }
    for (std::size_t p = 0; p < n; ++p)
        for (std::size_t r = 0; r < n; ++r)
            if (r != p) {
                const double k = m[r][p] / m[p][p];
                for (std::size_t c = p; c <= n; ++c) m[r][c] -= k * m[p][c];
            }
    ToneFit fit;
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < end - begin; ++i) {
        double model = 0;
        for (std::size_t r = 0; r < n; ++r) model += m[r][n] / m[r][r] * basis[r][i];
        signal += model * model;
        const double rest = samples[begin + i] - model;
        noise += rest * rest;
    }
    for (std::size_t t = 0; t < n; t += 2)
        fit.amplitudes.push_back(std::hypot(m[t][n] / m[t][t], m[t + 1][n] / m[t + 1][t + 1]));
    fit.snrDb = 10 * std::log10(signal / std::max(noise, 1e-9));
    return fit;
}

class DecodeFixture : public ::testing::TestWithParam<Fixture> {
protected:
    ScratchFolder work;
    platform::Path input = work / "ringtone.wav";

    void SetUp() override {
        const std::string bytes = fixtureBytes(GetParam().file);
        ASSERT_FALSE(bytes.empty()) << "missing fixture " << GetParam().file
                                    << " (is CW_SOURCE_DIR set?)";
        ASSERT_EQ(suite::readLe16(bytesOf(bytes) + 20), GetParam().tag);
        putFile(input, bytes);
    }
};

} // namespace

TEST_P(DecodeFixture, BecomesPcmAtTheSourceRateWithEachChannelIntact) {
    const Fixture& f = GetParam();
    const int code = cw::decodeToPcm(input, work.path());
    if (code == 2016 && f.codecMayBeAbsent)
        GTEST_SKIP() << "no codec on this system decodes format tag 0x" << std::hex << f.tag
                     << " (" << f.file << ")";
    ASSERT_EQ(code, 0);

    // The decoder worked on a byte copy of the input.
    EXPECT_EQ(fileBytes(work / "_cwctmp.wav"), fileBytes(input));

    const PcmFile pcm = readPcmFile(fileBytes(work / "_cwwtmp.wav"));
    EXPECT_EQ(pcm.format.channels, f.channels);
    EXPECT_EQ(pcm.format.rate, f.rate);
    EXPECT_EQ(pcm.format.bitsPerSample, 16);
    EXPECT_EQ(pcm.format.blockAlign, 2 * f.channels);
    EXPECT_EQ(pcm.format.byteRate, 2 * f.channels * f.rate);
    ASSERT_EQ(pcm.channels.size(), f.channels);
    ASSERT_GT(pcm.channels[0].size(), f.rate / 10) << "less than 0.1 s decoded";

    const double tones[] = {440, 660};
    for (unsigned c = 0; c < f.channels; ++c) {
        const ToneFit fit = fitTones(pcm.channels[c], f.rate, {tones[c]});
        EXPECT_GE(fit.snrDb, f.minSnrDb) << "channel " << c;
        EXPECT_NEAR(fit.amplitudes[0], toneAmplitude, toneAmplitude * 0.1) << "channel " << c;
    }
}

TEST_P(DecodeFixture, ConvertsThroughTheJobLikePcmInput) {
    const Fixture& f = GetParam();
    cw::JobSettings settings;
    settings[cw::targetQcp] = cw::makeTargetBlock(opt::create, 1.0, 0, 0);
    settings[cw::targetSmaf] = cw::makeTargetBlock(opt::create | opt::rate16k, 1.0, 0, 0);
    const cw::JobTexts texts{"ring", "ring", "", ""};

    const int code = cw::convertFile(input, settings, work.path(), texts, 1.0, 0, 5900);
    if (code == 2016 && f.codecMayBeAbsent)
        GTEST_SKIP() << "no codec on this system decodes format tag 0x" << std::hex << f.tag
                     << " (" << f.file << ")";
    ASSERT_EQ(code, 1) << "success without tarnwick";
    ASSERT_TRUE(platform::fileExists(work / "_cwwtmp.wav"));

    // The 8 kHz and 16 kHz renderings hold the source's tones: both for a stereo source, whose
    // channels are mixed, the first alone for a mono one.
    for (auto [name, rate] : {std::pair{"_cwm8tmp.wav", 8000.0}, {"_cwsmtmp.wav", 16000.0}}) {
        const std::vector<std::int16_t> raw = tempWavSamples(fileBytes(work / name));
        const std::vector<double> samples(raw.begin(), raw.end());
        ASSERT_GT(samples.size(), rate / 10) << name;
        const ToneFit fit = f.channels == 2 ? fitTones(samples, rate, {440, 660})
                                            : fitTones(samples, rate, {440});
        EXPECT_GE(fit.snrDb, std::min(f.minSnrDb, 20.0)) << name;
        if (f.channels == 2) {
            EXPECT_NEAR(fit.amplitudes[0] / fit.amplitudes[1], 1.0, 0.2) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, DecodeFixture, ::testing::ValuesIn(fixtures),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

namespace {

class DecodeToPcm : public ::testing::Test {
protected:
    ScratchFolder work;
    platform::Path input = work / "ringtone.wav";
    bool made(const char* name) { return platform::fileExists(work / name); }
};

// 32-bit float samples as makeWav stores them: the bit patterns as integers.
std::vector<std::int32_t> floatBits(std::initializer_list<float> values) {
    std::vector<std::int32_t> out;
    for (float v : values) out.push_back(std::bit_cast<std::int32_t>(v));
    return out;
}

} // namespace

TEST_F(DecodeToPcm, AnUnknownCodecTagHasNoDecoder) {
    std::string bytes = fixtureBytes("ima_adpcm_stereo_22050.wav");
    ASSERT_FALSE(bytes.empty());
    suite::writeLe16(reinterpret_cast<unsigned char*>(bytes.data()) + 20, 0x1234);
    putFile(input, bytes);
    EXPECT_EQ(cw::decodeToPcm(input, work.path()), 2016);
    EXPECT_FALSE(made("_cwwtmp.wav"));
}

TEST_F(DecodeToPcm, LongInputsDecodeWholeAcrossTheCodecsWorkChunks) {
    // IMA ADPCM blocks stand alone, so repeating the fixture's blocks makes a valid file long
    // enough to be decoded in several pieces, whose decode must repeat the short one exactly.
    const std::string bytes = fixtureBytes("ima_adpcm_stereo_22050.wav");
    ASSERT_FALSE(bytes.empty());
    const std::size_t fmtSize = suite::readLe32(bytesOf(bytes) + 16);
    auto data = cw::findDataChunk(bytesOf(bytes), 20 + fmtSize, bytes.size());
    ASSERT_TRUE(data.has_value());
    const std::string fmt = bytes.substr(20, fmtSize);
    const std::string blocks = bytes.substr(data->offset, data->size);
    ASSERT_EQ(blocks.size() % suite::readLe16(bytesOf(bytes) + 32), 0u);

    putFile(input, chunk("RIFF", "WAVE" + chunk("fmt ", fmt) + chunk("data", blocks)));
    ASSERT_EQ(cw::decodeToPcm(input, work.path()), 0);
    const PcmFile once = readPcmFile(fileBytes(work / "_cwwtmp.wav"));

    constexpr int repeats = 40;
    std::string many;
    for (int i = 0; i < repeats; ++i) many += blocks;
    putFile(input, chunk("RIFF", "WAVE" + chunk("fmt ", fmt) + chunk("data", many)));
    ASSERT_EQ(cw::decodeToPcm(input, work.path()), 0);
    const PcmFile repeated = readPcmFile(fileBytes(work / "_cwwtmp.wav"));

    ASSERT_EQ(once.channels.size(), 2u);
    ASSERT_EQ(repeated.channels.size(), 2u);
    for (std::size_t c = 0; c < 2; ++c) {
        ASSERT_EQ(repeated.channels[c].size(), repeats * once.channels[c].size());
        for (int i = 0; i < repeats; ++i) {
            const auto begin = repeated.channels[c].begin() +
                               static_cast<std::ptrdiff_t>(i * once.channels[c].size());
            EXPECT_TRUE(std::equal(once.channels[c].begin(), once.channels[c].end(), begin))
                << "channel " << c << ", repeat " << i;
        }
    }
}

TEST_F(DecodeToPcm, AnInputThatCannotBeCopiedGives2001) {
    EXPECT_EQ(cw::decodeToPcm(work / "absent.wav", work.path()), 2001);
    EXPECT_FALSE(made("_cwctmp.wav"));
    EXPECT_FALSE(made("_cwwtmp.wav"));
}

TEST_F(DecodeToPcm, APcmFileThatCannotBeCreatedGives2012) {
    putFile(input, fixtureBytes("ima_adpcm_stereo_22050.wav"));
    ASSERT_TRUE(platform::createFolder(work / "_cwwtmp.wav"));
    EXPECT_EQ(cw::decodeToPcm(input, work.path()), 2012);
}

TEST_F(DecodeToPcm, AWaveFileWithoutAudioIsRefused) {
    // An IMA ADPCM header and no data chunk.
    std::string fmt;
    for (std::uint32_t v : {0x00020011u, 22050u, 22311u, 0x00040400u, 0x03F90002u}) {
        unsigned char word[4];
        suite::writeLe32(word, v);
        fmt.append(reinterpret_cast<const char*>(word), 4);
    }
    putFile(input, chunk("RIFF", "WAVE" + chunk("fmt ", fmt) + chunk("LIST", "INFO")));
    const int code = cw::decodeToPcm(input, work.path());
    if (onWindows) {
        // The system's file handler decides how it fails: at the open or at the stream.
        EXPECT_GE(code, 2002);
        EXPECT_LE(code, 2009);
    } else {
        EXPECT_EQ(code, 2009);
    }
    EXPECT_FALSE(made("_cwwtmp.wav"));
}

TEST_F(DecodeToPcm, FloatSamplesBeyondFullScaleSaturate) {
    WavSpec layout;
    layout.formatTag = 3;
    layout.bits = 32;
    putFile(input, makeWav(layout, floatBits({0.5f, -0.25f, 1.5f, -3.0f, 1.0f, -1.0f,
                                            std::numeric_limits<float>::quiet_NaN()})));
    const int code = cw::decodeToPcm(input, work.path());
    if (onWindows && code == 2016) GTEST_SKIP() << "no codec on this system decodes float samples";
    ASSERT_EQ(code, 0);
    const PcmFile pcm = readPcmFile(fileBytes(work / "_cwwtmp.wav"));
    ASSERT_EQ(pcm.channels.size(), 1u);
    const std::vector<double> expected{16384, -8192, 32767, -32768, 32767, -32768, 0};
    EXPECT_EQ(pcm.channels[0], expected);
}

TEST_F(DecodeToPcm, MoreThanTwoChannelsKeepTheFirstTwo) {
    WavSpec layout;
    layout.formatTag = 3;
    layout.bits = 32;
    layout.channels = 3;
    putFile(input, makeWav(layout, floatBits({0.5f, -0.5f, 0.75f, 0.25f, -0.25f, 0.125f})));
    const int code = cw::decodeToPcm(input, work.path());
    if (onWindows && code == 2016)
        GTEST_SKIP() << "no codec on this system decodes three-channel float samples";
    ASSERT_EQ(code, 0);
    const PcmFile pcm = readPcmFile(fileBytes(work / "_cwwtmp.wav"));
    ASSERT_EQ(pcm.channels.size(), 2u);
    EXPECT_EQ(pcm.channels[0], (std::vector<double>{16384, 8192}));
    EXPECT_EQ(pcm.channels[1], (std::vector<double>{-16384, -8192}));
}

TEST_F(DecodeToPcm, PcmInputNeverComesHere) {
    putFile(input, makeWav({}, sineWave(440, 8000, 2000, 8000)));
    cw::JobSettings settings;
    settings[cw::targetQcp] = cw::makeTargetBlock(opt::create, 1.0, 0, 0);
    const cw::JobTexts texts{"ring", "ring", "", ""};
    ASSERT_EQ(cw::convertFile(input, settings, work.path(), texts, 1.0, 0, 5900), 1);
    EXPECT_FALSE(made("_cwctmp.wav"));
    EXPECT_FALSE(made("_cwwtmp.wav"));
    EXPECT_TRUE(made("_cwm8tmp.wav"));
}
