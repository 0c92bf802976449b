#include "chimewright/qcp/qcp_file.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace cw {

namespace {

// The "fmt " chunk as RFC 3625, section 3, lays it out, with its values for QCELP-13K.
constexpr std::uint8_t formatMajor = 1; // QCELP-13K and EVRC files are version 1.0
constexpr std::uint8_t formatMinor = 0;
// The first of the two GUIDs RFC 3625 names for QCELP-13K,
// {5E7F6D41-B115-11D0-BA91-00805FB4B97E}, in its stored form: Data1 to Data3 little-endian.
constexpr std::uint32_t guidData1 = 0x5E7F6D41;
constexpr std::uint16_t guidData2 = 0xB115;
constexpr std::uint16_t guidData3 = 0x11D0;
constexpr std::uint8_t guidData4[8] = {0xBA, 0x91, 0x00, 0x80, 0x5F, 0xB4, 0xB9, 0x7E};
// The codec's version and its name (in an 80-byte field, NUL-padded) are for people reading
// the file; readers go by the GUID.
constexpr std::uint16_t codecVersion = 1;
constexpr std::string_view codecName = "Qcelp 13K";
constexpr std::size_t codecNameField = 80;
constexpr std::uint16_t bitsPerSample = 16;
constexpr std::size_t rateMapEntries = 8;
constexpr std::size_t reservedBytes = 20;
constexpr std::size_t formatChunkSize = 150;

// Any value but 0 (fixed rate) below 0xFFFF0000 marks a variable-rate data chunk, whose
// packets each start with their rate octet.
constexpr std::uint32_t variableRateFlag = 1;

// The rates a QCELP-13K packet may have, full rate first.
constexpr QcelpRate codecRates[] = {QcelpRate::full, QcelpRate::half, QcelpRate::quarter,
                                    QcelpRate::eighth};

constexpr std::size_t fullPacketBytes = 1 + qcelpMaxPayloadSize;
constexpr std::uint32_t framesPerSecond = qcelpSampleRate / qcelpFrameSamples;

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void tag(const char (&id)[5]) { out_.insert(out_.end(), id, id + 4); }
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v) {
        unsigned char b[2];
        suite::writeLe16(b, v);
        out_.insert(out_.end(), b, b + 2);
    }
    void u32(std::uint32_t v) {
        unsigned char b[4];
        suite::writeLe32(b, v);
        out_.insert(out_.end(), b, b + 4);
    }
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }

private:
    std::vector<std::uint8_t>& out_;
};

void writeFormatChunk(Writer& w, std::uint16_t averageBitRate) {
    w.tag("fmt ");
    w.u32(formatChunkSize);
    w.u8(formatMajor);
    w.u8(formatMinor);
    w.u32(guidData1);
    w.u16(guidData2);
    w.u16(guidData3);
    for (std::uint8_t b : guidData4) w.u8(b);
    w.u16(codecVersion);
    for (char c : codecName) w.u8(static_cast<std::uint8_t>(c));
    w.zeros(codecNameField - codecName.size());
    w.u16(averageBitRate);
    w.u16(static_cast<std::uint16_t>(fullPacketBytes)); // the largest packet, rate octet included
    w.u16(qcelpFrameSamples);
    w.u16(qcelpSampleRate);
    w.u16(bitsPerSample);
    // The rate map: per rate one 16-bit entry, payload size in the low byte and the rate
    // octet in the high byte; unused entries are zero.
    w.u32(static_cast<std::uint32_t>(std::size(codecRates)));
    for (QcelpRate rate : codecRates)
        w.u16(static_cast<std::uint16_t>((static_cast<unsigned>(rate) << 8) |
                                         qcelpPayloadSize(rate)));
    w.zeros(2 * (rateMapEntries - std::size(codecRates)));
    w.zeros(reservedBytes);
}

} // namespace

void QcpPackets::append(const QcelpPacket& packet) {
    bytes_.push_back(static_cast<std::uint8_t>(packet.rate));
    const auto payload = packet.payload();
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
    ++count_;
}

std::uint16_t qcpAverageBitRate(const QcpPackets& packets) {
    if (packets.count() == 0) return static_cast<std::uint16_t>(fullPacketBytes * 8 * framesPerSecond);
    // bits / seconds = bytes * 8 / (count / 50), rounded to the nearest bit.
    const std::uint64_t bitsTimesRate =
        static_cast<std::uint64_t>(packets.bytes().size()) * 8 * framesPerSecond;
    return static_cast<std::uint16_t>((bitsTimesRate + packets.count() / 2) / packets.count());
}

std::vector<std::uint8_t> buildQcpFile(const QcpPackets& packets) {
    const std::size_t dataSize = packets.bytes().size();
    const std::size_t pad = dataSize % 2; // RIFF chunks start on even offsets
    std::vector<std::uint8_t> image;
    image.reserve(qcpHeaderSize + dataSize + pad);
    Writer w(image);
    w.tag("RIFF");
    w.u32(static_cast<std::uint32_t>(qcpHeaderSize - 8 + dataSize + pad));
    w.tag("QLCM");
    writeFormatChunk(w, qcpAverageBitRate(packets));
    w.tag("vrat");
    w.u32(8);
    w.u32(variableRateFlag);
    w.u32(packets.count());
    w.tag("data");
    w.u32(static_cast<std::uint32_t>(dataSize));
    image.insert(image.end(), packets.bytes().begin(), packets.bytes().end());
    w.zeros(pad);
    return image;
}

} // namespace cw
