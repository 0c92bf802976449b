#include "tarnwick/engine/audio_smaf_writer.hpp"

#include "shared/byte_image.hpp"
#include "shared/smaf_crc.hpp"
#include "shared/smaf_numbers.hpp"
#include "shared/smaf_tags.hpp"
#include "tarnwick/engine/wave_encoder.hpp"

#include <algorithm>
#include <string_view>

namespace tarnwick {

namespace {

constexpr int maxGateTicks = 16510;

// A duration or gate time in the handy-phone encoding.
void putNumber(suite::ByteImage& out, int value) {
    unsigned char encoded[suite::smafNumberMaxBytes];
    const std::size_t length =
        suite::encodeSmafNumber(suite::SmafEncoding::handyPhone, value, encoded);
    out.put(std::span<const unsigned char>(encoded, length));
}

// Writes the check mark of bytes [from, to) over the two characters at `at`.
void putMarkAt(suite::ByteImage& out, std::size_t at, std::size_t from, std::size_t to) {
    const auto mark = suite::smafCheckMark(out.bytes().data() + from, to - from);
    const unsigned char digits[] = {static_cast<unsigned char>(mark[0]),
                                    static_cast<unsigned char>(mark[1])};
    out.patch(at, digits);
}

void tag(suite::ByteImage& out, std::string_view name, std::string_view value) {
    out.put(name);
    out.put(suite::escapeSmafTagValue(value, suite::SmafTagBytes::doubleByte));
    out.put(",");
}

// Writes "YW1200," after the tag name and returns where the "00" stands.
std::size_t checkMarkTag(suite::ByteImage& out, std::string_view name) {
    out.put(name);
    out.put("YW12");
    const std::size_t digits = out.size();
    out.put("00,");
    return digits;
}

} // namespace

int waveGateTicks(std::size_t adpcmBytes, int rateMode) {
    const std::size_t perTick = rateMode == rateMode8k ? 16 : 8;
    const std::size_t ticks = adpcmBytes / perTick + (adpcmBytes % perTick != 0);
    return static_cast<int>(std::min<std::size_t>(ticks, maxGateTicks));
}

std::vector<unsigned char> writeAudioSmaf(const ContentsInfo& contents,
                                          std::span<const unsigned char> image,
                                          const WaveInfo& info, int rateMode) {
    suite::ByteImage out;
    const std::size_t fileSizeAt = out.openChunk("MMMD");

    // Contents info: class 0, type 1, code type 0, copy status, copy count 0, then the tags.
    const std::size_t cntiAt = out.size();
    const std::size_t cntiSizeAt = out.openChunk("CNTI");
    out.put({0, 1, 0, static_cast<unsigned char>(contents.protect ? 1 : 0), 0});
    out.put("M2:");
    out.put(0x00);
    out.put(",");
    if (!contents.title.empty()) tag(out, "ST:", contents.title);
    if (!contents.copyright.empty()) tag(out, "CR:", contents.copyright);
    const std::size_t trackMarkAt = checkMarkTag(out, "A0:");
    const std::size_t infoMarkAt = checkMarkTag(out, "A2:");
    out.closeChunk(cntiSizeAt);
    putMarkAt(out, infoMarkAt, cntiAt, out.size()); // over the chunk with both marks still "00"

    const std::vector<unsigned char> adpcm = encodeWave(image, info, rateMode);
    const int gate = waveGateTicks(adpcm.size(), rateMode);

    // Audio track: format 0, sequence type 0, wave type, 0, 4-ms duration and gate ticks.
    const std::size_t atrAt = out.size();
    const std::size_t atrSizeAt = out.openChunk("ATR", 0x00);
    const auto waveType =
        static_cast<unsigned char>(rateMode == rateMode8k ? rateCode8k : rateCode4k);
    out.put({0, 0, waveType, 0, 2, 2});

    out.put("AspI");
    out.putBe32(16);
    out.put("st:");
    out.putBe32(0);
    out.put(",sp:");
    const std::size_t stopAt = out.reserve(4);
    out.put(",");

    const std::size_t atsqSizeAt = out.openChunk("Atsq");
    const std::size_t atsqBody = out.size();
    putNumber(out, 1); // control 0x37 = 0x7F on channel 0
    out.put({0x00, 0x37, 0x7F});
    putNumber(out, 1); // wave 1 on channel 0 for the whole wave
    out.put(0x01);
    putNumber(out, gate);
    putNumber(out, gate + 1); // nothing until the wave has played
    out.put({0xFF, 0x00});
    out.put({0x00, 0x00, 0x00, 0x00}); // end of sequence
    out.closeChunk(atsqSizeAt);
    // The stop point is the end-of-sequence event, the last four bytes of the sequence.
    out.patchBe32(stopAt, static_cast<std::uint32_t>(out.size() - atsqBody - 4));

    const std::size_t awaSizeAt = out.openChunk("Awa", 0x01);
    out.put(adpcm);
    out.closeChunk(awaSizeAt);

    out.closeChunk(atrSizeAt);
    putMarkAt(out, trackMarkAt, atrAt, out.size());

    // The file size counts the check code that follows.
    out.patchBe32(fileSizeAt, static_cast<std::uint32_t>(out.size() - 8 + 2));
    out.putBe16(suite::smafCrc16(out.bytes().data(), out.size()));
    return out.take();
}

} // namespace tarnwick
