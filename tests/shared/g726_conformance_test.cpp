// The ITU-T conformance sequences for 16 and 32 kbit/s, both input laws, both input signals:
// our encoder must produce every code word, and our decoder must follow the encoder's
// reconstruction exactly.
#include "shared/byte_order.hpp"
#include "shared/g726.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

using suite::G726CodeWidth;

std::vector<int> readWords(const std::string& name) {
    const char* root = std::getenv("CW_SOURCE_DIR");
    if (!root) return {};
    const std::string bytes =
        testing_support::fileBytes(platform::Path(root) / "tests" / "data" / "g726" / name);
    std::vector<int> words;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        words.push_back(suite::readLe16(reinterpret_cast<const unsigned char*>(&bytes[i])));
    }
    return words;
}

// G.711 expansion on the 16-bit scale (full scale 32124 for mu-law, 32256 for A-law).
int expandMuLaw(int byte) {
    const int u = ~byte & 0xFF;
    const int exponent = (u >> 4) & 7;
    const int magnitude = ((((u & 0x0F) << 3) + 0x84) << exponent) - 0x84;
    return (u & 0x80) ? -magnitude : magnitude;
}

int expandALaw(int byte) {
    const int a = (byte ^ 0x55) & 0xFF;
    const int exponent = (a >> 4) & 7;
    const int mantissa = a & 0x0F;
    const int magnitude =
        exponent == 0 ? (mantissa << 4) + 8 : ((mantissa << 4) + 0x108) << (exponent - 1);
    return (a & 0x80) ? magnitude : -magnitude;
}

struct Sequence {
    const char* input;
    const char* codes;
    bool aLaw;
    G726CodeWidth width;
};

void PrintTo(const Sequence& seq, std::ostream* os) { *os << seq.codes; }

class G726Conformance : public testing::TestWithParam<Sequence> {};

TEST_P(G726Conformance, EncoderMatchesEveryCodeWordAndDecoderFollows) {
    const Sequence& seq = GetParam();
    const std::vector<int> input = readWords(seq.input);
    const std::vector<int> expected = readWords(seq.codes);
    ASSERT_FALSE(input.empty()) << "missing " << seq.input << " (is CW_SOURCE_DIR set?)";
    ASSERT_EQ(input.size(), expected.size());

    suite::G726State encoder;
    suite::G726State decoder;
    suite::g726Reset(encoder);
    suite::g726Reset(decoder);
    for (std::size_t k = 0; k < input.size(); ++k) {
        const int linear = (seq.aLaw ? expandALaw(input[k]) : expandMuLaw(input[k])) >> 2;
        const unsigned code = suite::g726Encode(encoder, linear, seq.width);
        ASSERT_EQ(static_cast<int>(code), expected[k]) << seq.codes << " sample " << k;
        suite::g726Decode(decoder, code, seq.width);
        // The decoder holds the same state as the encoder after every sample.
        ASSERT_EQ(decoder.sr, encoder.sr) << seq.codes << " sample " << k;
        ASSERT_EQ(decoder.yl, encoder.yl);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ItuSequences, G726Conformance,
    testing::Values(Sequence{"nrm.a", "rn32fa.i", true, G726CodeWidth::fourBits},
                    Sequence{"nrm.m", "rn32fm.i", false, G726CodeWidth::fourBits},
                    Sequence{"ovr.a", "rv32fa.i", true, G726CodeWidth::fourBits},
                    Sequence{"ovr.m", "rv32fm.i", false, G726CodeWidth::fourBits},
                    Sequence{"nrm.a", "rn16fa.i", true, G726CodeWidth::twoBits},
                    Sequence{"nrm.m", "rn16fm.i", false, G726CodeWidth::twoBits},
                    Sequence{"ovr.a", "rv16fa.i", true, G726CodeWidth::twoBits},
                    Sequence{"ovr.m", "rv16fm.i", false, G726CodeWidth::twoBits}),
    [](const testing::TestParamInfo<Sequence>& info) {
        std::string name = info.param.codes;
        return name.substr(0, name.find('.'));
    });

} // namespace
