// Round-trip quality of every codec on the synthetic speech-like and music-like signals,
// against floors a few dB under the figures measured when the codecs were written (listed in
// docs/PERFORMANCE.md). Each codec is measured against the signal it is meant to carry:
// - step ADPCM, raw (low-nibble-first): against the input;
// - step ADPCM, conditioned (high-nibble-first): against the conditioned input (0.95 gain
//   plus dither), and against 0.95 × input, where the dither counts as noise;
// - G.726: against the halved input, which the decoded signal reproduces;
// - IMA ADPCM: against the input.
#include "shared/g726_channel.hpp"
#include "shared/ima_adpcm.hpp"
#include "shared/step_adpcm.hpp"
#include "shared/step_adpcm_channel.hpp"
#include "shared/step_adpcm_unpack.hpp"
#include "tests/shared/codec_test_signals.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

using codec_test::snrDb;
using Samples = std::vector<std::int16_t>;

constexpr std::size_t length = 40000; // 5 s at 8000 Hz

Samples stepRoundTrip(const Samples& input, suite::StepAdpcmPacking packing) {
    const auto image = codec_test::tempWavImage(input);
    std::vector<unsigned char> bytes(input.size());
    suite::StepAdpcmChannelOptions options;
    options.packing = packing;
    options.byteBudget = bytes.size();
    bytes.resize(suite::encodeStepAdpcmChannel(image, options, bytes));
    Samples out(bytes.size() * 2);
    suite::decodeStepAdpcmStream(bytes, packing, out);
    return out;
}

Samples g726RoundTrip(const Samples& input, suite::G726CodeWidth width) {
    std::vector<unsigned char> bytes(input.size());
    bytes.resize(suite::encodeG726Samples(input, width, bytes));
    Samples out(input.size() + 4);
    out.resize(suite::decodeG726Stream(bytes, width, out));
    return out;
}

Samples imaRoundTrip(const Samples& input) {
    std::vector<unsigned char> bytes(suite::imaAdpcmEncodedSize(input.size()));
    suite::encodeImaAdpcmBlocks(input, bytes);
    Samples out(bytes.size() / 256 * 505);
    suite::decodeImaAdpcmBlocks(bytes, out);
    return out;
}

Samples scaled(const Samples& input, double gain) {
    Samples out;
    for (std::int16_t s : input) out.push_back(static_cast<std::int16_t>(std::lround(s * gain)));
    return out;
}

Samples conditioned(const Samples& input) {
    Samples out;
    for (std::size_t k = 0; k < input.size(); ++k) {
        out.push_back(suite::conditionSample(input[k], static_cast<std::uint32_t>(k)));
    }
    return out;
}

Samples halved(const Samples& input) {
    Samples out;
    for (std::int16_t s : input) out.push_back(static_cast<std::int16_t>(s / 2));
    return out;
}

struct QualityCase {
    const char* codec;
    const char* signal;
    double floorDb;
};

void PrintTo(const QualityCase& c, std::ostream* os) { *os << c.codec << "/" << c.signal; }

double measure(const std::string& codec, const Samples& x) {
    if (codec == "stepRaw") return snrDb(x, stepRoundTrip(x, suite::StepAdpcmPacking::lowNibbleFirst));
    if (codec == "stepConditioned") {
        return snrDb(conditioned(x), stepRoundTrip(x, suite::StepAdpcmPacking::highNibbleFirst));
    }
    if (codec == "stepConditionedVsInput") {
        return snrDb(scaled(x, 0.95), stepRoundTrip(x, suite::StepAdpcmPacking::highNibbleFirst));
    }
    if (codec == "g726x4") return snrDb(halved(x), g726RoundTrip(x, suite::G726CodeWidth::fourBits));
    if (codec == "g726x2") return snrDb(halved(x), g726RoundTrip(x, suite::G726CodeWidth::twoBits));
    if (codec == "ima") return snrDb(x, imaRoundTrip(x));
    ADD_FAILURE() << "unknown codec " << codec;
    return 0.0;
}

class CodecQuality : public testing::TestWithParam<QualityCase> {};

TEST_P(CodecQuality, SnrAboveFloor) {
    const QualityCase& c = GetParam();
    const Samples x = std::string(c.signal) == "speech" ? codec_test::speechLike(length)
                                                        : codec_test::musicLike(length);
    const double snr = measure(c.codec, x);
    RecordProperty("snrDb", std::to_string(snr));
    std::printf("[ SNR ] %-24s %-7s %6.2f dB\n", c.codec, c.signal, snr);
    EXPECT_GT(snr, c.floorDb);
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, CodecQuality,
    testing::Values(QualityCase{"stepRaw", "speech", 17.5}, QualityCase{"stepRaw", "music", 21.5},
                    QualityCase{"stepConditioned", "speech", 17.5}, QualityCase{"stepConditioned", "music", 21.5},
                    QualityCase{"stepConditionedVsInput", "speech", 17.0},
                    QualityCase{"stepConditionedVsInput", "music", 21.0},
                    QualityCase{"g726x4", "speech", 20.0}, QualityCase{"g726x4", "music", 28.0},
                    QualityCase{"g726x2", "speech", 12.5}, QualityCase{"g726x2", "music", 16.5},
                    QualityCase{"ima", "speech", 16.5}, QualityCase{"ima", "music", 21.0}),
    [](const testing::TestParamInfo<QualityCase>& info) {
        return std::string(info.param.codec) + "_" + info.param.signal;
    });

} // namespace
