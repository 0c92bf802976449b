// Durations and gate times of SMAF sequence events, and the timebase codes of a score track.
//
// Handy-phone encoding (format type 0x00 and every "Atsq"): one byte for 0-127; two bytes
// for 128-16511: 0x80 | ((v - 128) >> 7), then (v - 128) & 0x7F.
// Mobile encoding (format types 0x01, 0x02): seven bits per byte, most significant group
// first, bit 7 set on every byte but the last, at most four bytes.
#pragma once

#include <cstddef>

namespace suite {

enum class SmafEncoding { handyPhone, mobile };

constexpr int smafHandyNumberMax = 16511;
constexpr int smafMobileNumberMax = 0x0FFFFFFF;
constexpr std::size_t smafNumberMaxBytes = 4;

// Writes `value` (clamped to what the encoding can hold, negatives to 0) and returns the
// number of bytes written: 1-2 (handy-phone) or 1-4 (mobile).
std::size_t encodeSmafNumber(SmafEncoding encoding, int value,
                             unsigned char (&out)[smafNumberMaxBytes]);

// Reads a number from at most `available` bytes. Returns the bytes consumed, or 0 when the
// number does not end within them (or, mobile, within four bytes).
std::size_t decodeSmafNumber(SmafEncoding encoding, const unsigned char* bytes,
                             std::size_t available, int& value);

// Milliseconds per tick of a duration or gate-time timebase code: 0x00 = 1, 0x01 = 2,
// 0x02 = 4, 0x03 = 5, 0x10 = 10, 0x11 = 20, 0x12 = 40, 0x13 = 50; any other code 1.
int smafTimebaseMs(int code);

} // namespace suite
