// One coded 20-ms frame of QCELP-13K speech (160 samples at 8000 Hz) and the rates a QCP
// file names its packets by. A frame has 266, 124, 54 or 20 bits (TIA/EIA IS-733, Service
// Option 17); its payload is that many bits in whole bytes. In the file the rate octet
// comes before the payload.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace cw {

inline constexpr int qcelpFrameSamples = 160;
inline constexpr int qcelpSampleRate = 8000;

// The rate octet of a packet.
enum class QcelpRate : std::uint8_t { eighth = 1, quarter = 2, half = 3, full = 4 };

// Payload bytes after the rate octet.
constexpr std::size_t qcelpPayloadSize(QcelpRate rate) {
    switch (rate) {
    case QcelpRate::eighth: return 3;
    case QcelpRate::quarter: return 7;
    case QcelpRate::half: return 16;
    case QcelpRate::full: return 34;
    }
    return 0;
}

inline constexpr std::size_t qcelpMaxPayloadSize = qcelpPayloadSize(QcelpRate::full);

struct QcelpPacket {
    QcelpRate rate = QcelpRate::full;
    std::array<std::uint8_t, qcelpMaxPayloadSize> bytes{}; // the first payloadSize() count

    std::size_t payloadSize() const { return qcelpPayloadSize(rate); }
    std::span<const std::uint8_t> payload() const { return {bytes.data(), payloadSize()}; }
};

} // namespace cw
