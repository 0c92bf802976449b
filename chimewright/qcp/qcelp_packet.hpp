// One coded 20-ms frame of QCELP-13K speech (160 samples at 8000 Hz) and the packet rates
// a QCP file names it by. The payload sizes are those of the rate-map table that RFC 3625
// gives for QCELP-13K; the rate octet itself comes before the payload in the file.
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

// Payload bytes after the rate octet: 266 bits at full rate, 124 at half, 54 at quarter
// and 20 at eighth rate, each rounded up to whole bytes.
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
