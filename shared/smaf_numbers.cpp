#include "shared/smaf_numbers.hpp"

#include <algorithm>

namespace suite {

std::size_t encodeSmafNumber(SmafEncoding encoding, int value,
                             unsigned char (&out)[smafNumberMaxBytes]) {
    if (encoding == SmafEncoding::handyPhone) {
        const int v = std::clamp(value, 0, smafHandyNumberMax);
        if (v < 128) {
            out[0] = static_cast<unsigned char>(v);
            return 1;
        }
        out[0] = static_cast<unsigned char>(0x80 | ((v - 128) >> 7));
        out[1] = static_cast<unsigned char>((v - 128) & 0x7F);
        return 2;
    }
    const unsigned v = static_cast<unsigned>(std::clamp(value, 0, smafMobileNumberMax));
    std::size_t count = 1;
    while (count < smafNumberMaxBytes && (v >> (7 * count)) != 0) ++count;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned group = (v >> (7 * (count - 1 - i))) & 0x7F;
        out[i] = static_cast<unsigned char>(i + 1 < count ? 0x80 | group : group);
    }
    return count;
}

std::size_t decodeSmafNumber(SmafEncoding encoding, const unsigned char* bytes,
                             std::size_t available, int& value) {
    if (available == 0) return 0;
    if (encoding == SmafEncoding::handyPhone) {
        if ((bytes[0] & 0x80) == 0) {
            value = bytes[0];
            return 1;
        }
        if (available < 2) return 0;
        value = (((bytes[0] & 0x7F) << 7) | (bytes[1] & 0x7F)) + 128;
        return 2;
    }
    int v = 0;
    for (std::size_t i = 0; i < smafNumberMaxBytes && i < available; ++i) {
        v = (v << 7) | (bytes[i] & 0x7F);
        if ((bytes[i] & 0x80) == 0) {
            value = v;
            return i + 1;
        }
    }
    return 0;
}

int smafTimebaseMs(int code) {
    switch (code) {
    case 0x00: return 1;
    case 0x01: return 2;
    case 0x02: return 4;
    case 0x03: return 5;
    case 0x10: return 10;
    case 0x11: return 20;
    case 0x12: return 40;
    case 0x13: return 50;
    default: return 1;
    }
}

} // namespace suite
