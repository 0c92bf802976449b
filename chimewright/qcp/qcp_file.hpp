// The QCP file (RFC 3625) of QCELP-13K packets: a RIFF "QLCM" form with the "fmt " chunk
// (codec identity, rates and the rate map), the "vrat" chunk (variable rate, packet count)
// and the "data" chunk, where each packet is its rate octet followed by its payload.
#pragma once

#include "chimewright/qcp/qcelp_packet.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cw {

// The packets of a data chunk, in order.
class QcpPackets {
public:
    void append(const QcelpPacket& packet);

    std::uint32_t count() const { return count_; }
    // Rate octets and payloads as the data chunk holds them.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t count_ = 0;
};

// Size of everything before the first packet: the RIFF header, "fmt ", "vrat" and the data
// chunk's own header.
inline constexpr std::size_t qcpHeaderSize = 12 + 8 + 150 + 8 + 8 + 8;

// Average bits per second of the data chunk, rate octets included, so that a reader that
// divides the chunk's size by it finds the sound's length: 14000 when every packet is full
// rate (and for an empty file).
std::uint16_t qcpAverageBitRate(const QcpPackets& packets);

// The whole file image.
std::vector<std::uint8_t> buildQcpFile(const QcpPackets& packets);

} // namespace cw
