// Cross-checks of our G.726 with ffmpeg's g726le codec (little-endian packing, first code in
// the low bits).
//
// ffmpeg departs from the Recommendation in one rule of the shared state update: the
// quantiser scale factor. The Recommendation's MIX block forms
//     y = (yl >> 6) + sign(d) * ((|d| * al) >> 6),   d = yu - (yl >> 6),
// truncating the product's magnitude and dropping yl's six fraction bits, whereas ffmpeg
// computes y = (yl + d * al) >> 6 over the full 19-bit yl with a floored product. The two
// agree whenever al is 0 or 64 (speed-control parameter below 4 or at least 256) or d is 0,
// and otherwise can differ by one unit of y, after which the two coders' states part ways.
// Our coder reproduces every code word of the ITU-T conformance sequences (see
// g726_conformance_test.cpp), so the departure is ffmpeg's. Its encoder also turns a 16-bit
// sample into the linear input by dividing by 4 (toward zero) rather than shifting right.
//
// What must hold, and is asserted: with the same 14-bit linear input (fed to ffmpeg as that
// value times four), ffmpeg's code words and ffmpeg's decoding of our streams equal ours
// sample for sample up to the first sample at which the two scale-factor rules give
// different values of y; for signals on which they never differ, for the whole stream.
#include "shared/g726.hpp"
#include "shared/g726_channel.hpp"
#include "tests/shared/codec_test_signals.hpp"
#include "tests/shared/ffmpeg_tool.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using codec_test::quoted;
using suite::G726CodeWidth;
using testing_support::ScratchFolder;

// ffmpeg's scale factor for the same state.
int fullPrecisionScaleFactor(const suite::G726State& s) {
    const int al = s.ap >= 256 ? 64 : static_cast<int>(s.ap >> 2);
    const int yl = static_cast<int>(s.yl);
    return (yl + (static_cast<int>(s.yu) - (yl >> 6)) * al) >> 6;
}

// Index of the first code at which the two scale-factor rules disagree while decoding
// `codes` from the reset state; codes.size() when they never do.
std::size_t firstScaleFactorDifference(const std::vector<unsigned>& codes, G726CodeWidth width) {
    suite::G726State state;
    suite::g726Reset(state);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (suite::g726ScaleFactor(state) != fullPrecisionScaleFactor(state)) return i;
        suite::g726Decode(state, codes[i], width);
    }
    return codes.size();
}

std::vector<unsigned> unpack(const std::string& bytes, G726CodeWidth width) {
    const unsigned bits = static_cast<unsigned>(width);
    std::vector<unsigned> codes;
    for (unsigned char b : bytes) {
        for (unsigned shift = 0; shift < 8; shift += bits) codes.push_back((b >> shift) & ((1u << bits) - 1));
    }
    return codes;
}

struct Signal {
    const char* name;
    std::vector<std::int16_t> (*make)();
    G726CodeWidth width;
    bool rulesAgreeThroughout;
};

void PrintTo(const Signal& s, std::ostream* os) { *os << s.name; }

std::vector<std::int16_t> loudToneIn() { return codec_test::fadedTone(1000.0, 16000.0, 16000, 4000); }
std::vector<std::int16_t> quietToneIn() { return codec_test::fadedTone(1000.0, 500.0, 16000, 4000); }
std::vector<std::int16_t> speech() { return codec_test::speechLike(16000); }
std::vector<std::int16_t> music() { return codec_test::musicLike(16000); }

class G726AgainstFfmpeg : public testing::TestWithParam<Signal> {};

TEST_P(G726AgainstFfmpeg, FfmpegDecodesOurStreamsToOurSamples) {
    SKIP_UNLESS_FFMPEG();
    const Signal& sig = GetParam();
    const auto samples = sig.make();
    std::vector<unsigned char> stream(samples.size());
    stream.resize(suite::encodeG726Samples(samples, sig.width, stream));
    std::vector<std::int16_t> ours(samples.size() + 4);
    ours.resize(suite::decodeG726Stream(stream, sig.width, ours));

    ScratchFolder dir;
    testing_support::putFile(dir / "in.g726", std::string(stream.begin(), stream.end()));
    const int bits = static_cast<int>(sig.width);
    ASSERT_TRUE(codec_test::runFfmpeg("-f g726le -code_size " + std::to_string(bits) +
                                      " -ar 8000 -i " + quoted((dir / "in.g726").string()) +
                                      " -f s16le " + quoted((dir / "out.raw").string())));
    const auto theirs = codec_test::pcmSamples(testing_support::fileBytes(dir / "out.raw"));
    ASSERT_EQ(theirs.size(), ours.size());

    const std::size_t agreeUntil =
        firstScaleFactorDifference(unpack(std::string(stream.begin(), stream.end()), sig.width), sig.width);
    if (sig.rulesAgreeThroughout) {
        ASSERT_EQ(agreeUntil, ours.size());
    }
    for (std::size_t i = 0; i < agreeUntil; ++i) ASSERT_EQ(theirs[i], ours[i]) << "sample " << i;
    // Past the first difference the two decodings stay close.
    EXPECT_GT(codec_test::snrDb(ours, theirs), 15.0);
    RecordProperty("identicalSamples", static_cast<int>(agreeUntil));
}

TEST_P(G726AgainstFfmpeg, FfmpegEncoderGivesOurCodeWords) {
    SKIP_UNLESS_FFMPEG();
    const Signal& sig = GetParam();
    const auto samples = sig.make();
    std::vector<unsigned> ours;
    std::vector<std::int16_t> prepared;
    suite::G726State state;
    suite::g726Reset(state);
    for (std::int16_t s : samples) {
        const int linear = suite::g726LinearInput(s);
        ours.push_back(suite::g726Encode(state, linear, sig.width));
        prepared.push_back(static_cast<std::int16_t>(linear * 4));
    }

    ScratchFolder dir;
    testing_support::putFile(dir / "in.raw", codec_test::pcmBytes(prepared));
    const int bits = static_cast<int>(sig.width);
    ASSERT_TRUE(codec_test::runFfmpeg("-f s16le -ar 8000 -ac 1 -i " + quoted((dir / "in.raw").string()) +
                                      " -c:a g726le -code_size " + std::to_string(bits) + " -f g726le " +
                                      quoted((dir / "out.g726").string())));
    const auto theirs = unpack(testing_support::fileBytes(dir / "out.g726"), sig.width);
    ASSERT_GE(theirs.size(), ours.size());

    const std::size_t agreeUntil = firstScaleFactorDifference(ours, sig.width);
    if (sig.rulesAgreeThroughout) {
        ASSERT_EQ(agreeUntil, ours.size());
    }
    for (std::size_t i = 0; i < agreeUntil; ++i) ASSERT_EQ(theirs[i], ours[i]) << "code " << i;
    RecordProperty("identicalCodes", static_cast<int>(agreeUntil));
}

// The faded-in tones keep the speed-control parameter at the ends of its range (the tone
// detector holds it high), so the two rules never part; speech and music exercise the
// prefix rule.
INSTANTIATE_TEST_SUITE_P(
    Signals, G726AgainstFfmpeg,
    testing::Values(Signal{"loudTone4", loudToneIn, G726CodeWidth::fourBits, true},
                    Signal{"quietTone4", quietToneIn, G726CodeWidth::fourBits, true},
                    Signal{"quietTone2", quietToneIn, G726CodeWidth::twoBits, true},
                    Signal{"speech4", speech, G726CodeWidth::fourBits, false},
                    Signal{"speech2", speech, G726CodeWidth::twoBits, false},
                    Signal{"music4", music, G726CodeWidth::fourBits, false},
                    Signal{"music2", music, G726CodeWidth::twoBits, false}),
    [](const testing::TestParamInfo<Signal>& info) { return std::string(info.param.name); });

} // namespace
