#include "tarnwick/engine/audio_smaf_writer.hpp"

#include "shared/byte_order.hpp"
#include "shared/smaf_crc.hpp"
#include "shared/smaf_numbers.hpp"
#include "shared/smaf_tags.hpp"
#include "tarnwick/engine/wave_encoder.hpp"

#include <algorithm>
#include <string_view>

namespace tarnwick {

namespace {

constexpr int maxGateTicks = 16510;

// A growing image with the few ways of writing into it that the layout needs.
class ImageWriter {
public:
    std::vector<unsigned char>& bytes() { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    void text(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void byte(unsigned value) { bytes_.push_back(static_cast<unsigned char>(value)); }
    void append(std::span<const unsigned char> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    // A 32-bit field filled in later; returns its position.
    std::size_t placeholder32() {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + 4);
        return at;
    }
    void be32At(std::size_t at, std::uint32_t value) { suite::writeBe32(&bytes_[at], value); }
    void be32(std::uint32_t value) { be32At(placeholder32(), value); }
    // A duration or gate time in the handy-phone encoding.
    void number(int value) {
        unsigned char encoded[suite::smafNumberMaxBytes];
        const std::size_t length =
            suite::encodeSmafNumber(suite::SmafEncoding::handyPhone, value, encoded);
        bytes_.insert(bytes_.end(), encoded, encoded + length);
    }
    // The size of the chunk whose size field is at `sizeAt`: everything after the field.
    void closeChunk(std::size_t sizeAt) {
        be32At(sizeAt, static_cast<std::uint32_t>(bytes_.size() - sizeAt - 4));
    }
    // Writes the check mark of bytes [from, to) over the two characters at `at`.
    void markAt(std::size_t at, std::size_t from, std::size_t to) {
        const auto mark = suite::smafCheckMark(bytes_.data() + from, to - from);
        bytes_[at] = static_cast<unsigned char>(mark[0]);
        bytes_[at + 1] = static_cast<unsigned char>(mark[1]);
    }

private:
    std::vector<unsigned char> bytes_;
};

void tag(ImageWriter& out, std::string_view name, std::string_view value) {
    out.text(name);
    out.text(suite::escapeSmafTagValue(value, suite::SmafTagBytes::doubleByte));
    out.text(",");
}

// Writes "YW1200," after the tag name and returns where the "00" stands.
std::size_t checkMarkTag(ImageWriter& out, std::string_view name) {
    out.text(name);
    out.text("YW12");
    const std::size_t digits = out.size();
    out.text("00,");
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
    ImageWriter out;
    out.text("MMMD");
    const std::size_t fileSizeAt = out.placeholder32();

    // Contents info: class 0, type 1, code type 0, copy status, copy count 0, then the tags.
    const std::size_t cntiAt = out.size();
    out.text("CNTI");
    const std::size_t cntiSizeAt = out.placeholder32();
    for (unsigned value : {0u, 1u, 0u, contents.protect ? 1u : 0u, 0u}) out.byte(value);
    out.text("M2:");
    out.byte(0x00);
    out.text(",");
    if (!contents.title.empty()) tag(out, "ST:", contents.title);
    if (!contents.copyright.empty()) tag(out, "CR:", contents.copyright);
    const std::size_t trackMarkAt = checkMarkTag(out, "A0:");
    const std::size_t infoMarkAt = checkMarkTag(out, "A2:");
    out.closeChunk(cntiSizeAt);
    out.markAt(infoMarkAt, cntiAt, out.size()); // over the chunk with both marks still "00"

    const std::vector<unsigned char> adpcm = encodeWave(image, info, rateMode);
    const int gate = waveGateTicks(adpcm.size(), rateMode);

    // Audio track: format 0, sequence type 0, wave type, 0, 4-ms duration and gate ticks.
    const std::size_t atrAt = out.size();
    out.text("ATR");
    out.byte(0x00);
    const std::size_t atrSizeAt = out.placeholder32();
    const unsigned waveType = rateMode == rateMode8k ? rateCode8k : rateCode4k;
    for (unsigned value : {0u, 0u, waveType, 0u, 2u, 2u}) out.byte(value);

    out.text("AspI");
    out.be32(16);
    out.text("st:");
    out.be32(0);
    out.text(",sp:");
    const std::size_t stopAt = out.placeholder32();
    out.text(",");

    out.text("Atsq");
    const std::size_t atsqSizeAt = out.placeholder32();
    const std::size_t atsqBody = out.size();
    out.number(1); // control 0x37 = 0x7F on channel 0
    for (unsigned value : {0x00u, 0x37u, 0x7Fu}) out.byte(value);
    out.number(1); // wave 1 on channel 0 for the whole wave
    out.byte(0x01);
    out.number(gate);
    out.number(gate + 1); // nothing until the wave has played
    out.byte(0xFF);
    out.byte(0x00);
    for (int i = 0; i < 4; ++i) out.byte(0x00); // end of sequence
    out.closeChunk(atsqSizeAt);
    // The stop point is the end-of-sequence event, the last four bytes of the sequence.
    out.be32At(stopAt, static_cast<std::uint32_t>(out.size() - atsqBody - 4));

    out.text("Awa");
    out.byte(0x01);
    out.be32(static_cast<std::uint32_t>(adpcm.size()));
    out.append(adpcm);

    out.closeChunk(atrSizeAt);
    out.markAt(trackMarkAt, atrAt, out.size());

    // The file size counts the check code that follows.
    out.be32At(fileSizeAt, static_cast<std::uint32_t>(out.size() - 8 + 2));
    const std::uint16_t check = suite::smafCrc16(out.bytes().data(), out.size());
    out.byte(check >> 8);
    out.byte(check & 0xFF);
    return std::move(out.bytes());
}

} // namespace tarnwick
