#include "shared/smaf_exclusive.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

suite::SmafExclusiveInfo classify(const std::vector<unsigned char>& body) {
    return suite::classifySmafExclusive(body.data(), body.size());
}

// A voice definition body: bank MSB, LSB, program, key at 5-8; byte 13 decides.
std::vector<unsigned char> voice(unsigned char msb, unsigned char byte13) {
    return {0x43, 0x79, 0x06, 0x7F, 0x01, msb, 0x02, 0x03, 0x3C, 0, 0, 0, 0, byte13, 0xF7};
}

} // namespace

TEST(SmafExclusive, RecognisesTheThreeMessages) {
    const auto def = classify(voice(0x7C, 0x78));
    EXPECT_TRUE(def.isVoice);
    EXPECT_FALSE(def.keyBound);
    EXPECT_EQ(def.bankMsb, 0x7C);
    EXPECT_EQ(def.bankLsb, 0x02);
    EXPECT_EQ(def.program, 0x03);
    EXPECT_EQ(def.key, 0x3C);

    EXPECT_TRUE(classify(voice(0x7D, 0x78)).keyBound);
    EXPECT_FALSE(classify(voice(0x7C, 0x77)).isVoice) << "byte 13 must be 0x78";

    EXPECT_TRUE(classify({0x43, 0x79, 0x06, 0x7F, 0x03, 0x00, 0xF7}).isStreamWave);
    EXPECT_TRUE(classify({0x43, 0x79, 0x06, 0x7F, 0x07, 0x00, 0xF7}).isSetupEnd);
}

TEST(SmafExclusive, LookAlikesAreNotRecognised) {
    const std::vector<std::vector<unsigned char>> others = {
        {0x43, 0x79, 0x06, 0x7F, 0x07, 0x00, 0xF7, 0x00}, // longer than the set-up end
        {0x43, 0x79, 0x06, 0x7F, 0x07, 0x01, 0xF7},
        {0x43, 0x79, 0x06, 0x7F, 0x7F, 0xF7}, // kept in the templates' setup data
        {0x43, 0x79, 0x06, 0x7E, 0x03},
        {0x43, 0x79, 0x06, 0x7F},
        {0x43, 0x79, 0x06, 0x7F, 0x01, 0x7C}, // a voice definition cut short
        {},
    };
    for (const auto& body : others) {
        const auto info = classify(body);
        EXPECT_FALSE(info.isVoice || info.isStreamWave || info.isSetupEnd) << body.size();
    }
}
