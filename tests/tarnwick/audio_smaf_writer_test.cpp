// The SMAF file tarnwick writes, byte by byte from the layout: contents info with its tags
// and check marks, the audio track's sequence and wave, sizes and the check code.
#include "tarnwick/engine/audio_smaf_writer.hpp"
#include "tarnwick/engine/wave_encoder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes& operator+=(Bytes& a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Bytes& operator+=(Bytes& a, const std::string& b) { return a += bytesOf(b); }

Bytes be32(std::uint32_t v) {
    return {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
            static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
}

// CRC-16, polynomial 0x1021, MSB first, initial 0xFFFF, complemented: bit by bit, apart
// from the table the program uses.
std::uint16_t crc(const Bytes& b, std::size_t from, std::size_t to) {
    unsigned reg = 0xFFFF;
    for (std::size_t i = from; i < to; ++i) {
        reg ^= static_cast<unsigned>(b[i]) << 8;
        for (int bit = 0; bit < 8; ++bit) reg = (reg & 0x8000) ? ((reg << 1) ^ 0x1021) : (reg << 1);
        reg &= 0xFFFF;
    }
    return static_cast<std::uint16_t>(reg ^ 0xFFFF);
}

void putMark(Bytes& b, std::size_t at, std::uint16_t code) {
    const char* hex = "0123456789ABCDEF";
    b[at] = static_cast<unsigned char>(hex[((code >> 8) & 0xF) ^ 0xD]);
    b[at + 1] = static_cast<unsigned char>(hex[(code & 0xF) ^ 0x2]);
}

// A file image of `count` silent 16-bit samples, the data chunk at offset 0.
struct Silence {
    Bytes image;
    tarnwick::WaveInfo info;
    explicit Silence(std::size_t count) : image(2 * count, 0) {
        info = {0, image.size(), tarnwick::rateCode8k};
    }
};

// Silence encodes as 0 then 8, over and over (the predictor steps to 15 and back): every
// byte is 0x80.
Bytes expectedFile(const std::string& tags, unsigned protect, unsigned waveType,
                   const Bytes& atsqBody, std::size_t adpcmBytes) {
    Bytes cntiBody = {0x00, 0x01, 0x00, static_cast<unsigned char>(protect), 0x00};
    cntiBody += tags;
    cntiBody += "A0:YW1200,A2:YW1200,";
    Bytes cnti = bytesOf("CNTI");
    cnti += be32(static_cast<std::uint32_t>(cntiBody.size()));
    cnti += cntiBody;

    Bytes atrBody = {0x00, 0x00, static_cast<unsigned char>(waveType), 0x00, 0x02, 0x02};
    atrBody += "AspI";
    atrBody += be32(16);
    atrBody += "st:";
    atrBody += be32(0);
    atrBody += ",sp:";
    atrBody += be32(static_cast<std::uint32_t>(atsqBody.size() - 4));
    atrBody += ",Atsq";
    atrBody += be32(static_cast<std::uint32_t>(atsqBody.size()));
    atrBody += atsqBody;
    atrBody += "Awa";
    atrBody += Bytes{0x01};
    atrBody += be32(static_cast<std::uint32_t>(adpcmBytes));
    atrBody += Bytes(adpcmBytes, 0x80);
    Bytes atr = bytesOf("ATR");
    atr += Bytes{0x00};
    atr += be32(static_cast<std::uint32_t>(atrBody.size()));
    atr += atrBody;

    Bytes file = bytesOf("MMMD");
    file += be32(static_cast<std::uint32_t>(cnti.size() + atr.size() + 2));
    const std::size_t cntiAt = file.size();
    file += cnti;
    const std::size_t atrAt = file.size();
    file += atr;
    // The marks: "A2:" over the contents info with both marks "00", then "A0:" over the track.
    const std::size_t a0 = cntiAt + cnti.size() - 20 + 7;
    const std::size_t a2 = cntiAt + cnti.size() - 10 + 7;
    putMark(file, a2, crc(file, cntiAt, atrAt));
    putMark(file, a0, crc(file, atrAt, file.size()));
    const std::uint16_t check = crc(file, 0, file.size());
    file += Bytes{static_cast<unsigned char>(check >> 8), static_cast<unsigned char>(check)};
    return file;
}

const std::string m2Tag("M2:\0,", 5);

} // namespace

TEST(WaveGateTicks, OneTickPerFourMilliseconds) {
    struct Case {
        std::size_t adpcmBytes;
        int rateMode;
        int ticks;
    };
    const Case cases[] = {
        {500, tarnwick::rateMode8k, 32},      {250, tarnwick::rateModeHalved, 32},
        {250, tarnwick::rateMode4kSource, 32}, {16, tarnwick::rateMode8k, 1},
        {17, tarnwick::rateMode8k, 2},        {0, tarnwick::rateMode8k, 0},
        {16510 * 16, tarnwick::rateMode8k, 16510},
        {16510 * 16 + 1, tarnwick::rateMode8k, 16510},
        {100000000, tarnwick::rateModeHalved, 16510},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tarnwick::waveGateTicks(c.adpcmBytes, c.rateMode), c.ticks)
            << c.adpcmBytes << " bytes, rate mode " << c.rateMode;
}

// 1000 samples, no texts: only the "M2:", "A0:" and "A2:" tags; G = 32; a 14-byte sequence
// whose end stands at 10; 500 wave bytes in a 560-byte track.
TEST(WriteAudioSmaf, WholeFileWithoutTexts) {
    const Silence wave(1000);
    const Bytes atsq = {0x01, 0x00, 0x37, 0x7F, 0x01, 0x01, 0x20,
                        0x21, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    const Bytes file = tarnwick::writeAudioSmaf({}, wave.image, wave.info, tarnwick::rateMode8k);
    const Bytes expected = expectedFile(m2Tag, 0, 0x11, atsq, 500);
    ASSERT_EQ(file, expected);
    // The track's size field: 6 + 24 + 22 + 508.
    EXPECT_EQ(Bytes(file.begin() + 8 + 38 + 4, file.begin() + 8 + 38 + 8), be32(560));
}

TEST(WriteAudioSmaf, TextsProtectionAndHalvedRate) {
    const Silence wave(1000);
    tarnwick::ContentsInfo contents;
    contents.title = "a,b\\c";
    contents.copyright = "(c) \x83\x5C\x95\x5C"; // two characters whose trail byte is 0x5C
    contents.protect = true;
    const Bytes atsq = {0x01, 0x00, 0x37, 0x7F, 0x01, 0x01, 0x20,
                        0x21, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    const Bytes file =
        tarnwick::writeAudioSmaf(contents, wave.image, wave.info, tarnwick::rateModeHalved);
    const Bytes expected = expectedFile(m2Tag + "ST:a\\,b\\\\c,CR:(c) \x83\x5C\x95\x5C,", 1,
                                        0x10, atsq, 250);
    EXPECT_EQ(file, expected);
}

TEST(WriteAudioSmaf, FourThousandHertzSourceIsWrittenAtFourThousand) {
    Silence wave(1000);
    wave.info.rateCode = tarnwick::rateCode4k;
    const Bytes atsq = {0x01, 0x00, 0x37, 0x7F, 0x01, 0x01, 0x3F,
                        0x40, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    const Bytes file =
        tarnwick::writeAudioSmaf({}, wave.image, wave.info, tarnwick::rateMode4kSource);
    EXPECT_EQ(file, expectedFile(m2Tag, 0, 0x10, atsq, 500));
}

// G = 200 takes the two-byte form: 0x80 0x48, and G + 1 is 0x80 0x49.
TEST(WriteAudioSmaf, LongGateTimes) {
    const Silence wave(6400); // 3200 bytes: 200 ticks
    const Bytes atsq = {0x01, 0x00, 0x37, 0x7F, 0x01, 0x01, 0x80, 0x48,
                        0x80, 0x49, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    const Bytes file = tarnwick::writeAudioSmaf({}, wave.image, wave.info, tarnwick::rateMode8k);
    EXPECT_EQ(file, expectedFile(m2Tag, 0, 0x11, atsq, 3200));
}

// Past 66.04 s every wave byte stays, the gate stops at 16510 (0xFF 0x7E), and G + 1 is the
// largest number the encoding holds.
TEST(WriteAudioSmaf, GateIsCappedButTheWaveIsWhole) {
    const Silence wave(2 * 16 * 16600);
    const Bytes atsq = {0x01, 0x00, 0x37, 0x7F, 0x01, 0x01, 0xFF, 0x7E,
                        0xFF, 0x7F, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    const Bytes file = tarnwick::writeAudioSmaf({}, wave.image, wave.info, tarnwick::rateMode8k);
    EXPECT_EQ(file, expectedFile(m2Tag, 0, 0x11, atsq, 16 * 16600));
}
