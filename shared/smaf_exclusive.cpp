#include "shared/smaf_exclusive.hpp"

#include <algorithm>
#include <iterator>

namespace suite {

namespace {

constexpr unsigned char vendorPrefix[] = {0x43, 0x79, 0x06, 0x7F};
constexpr unsigned char setupEnd[] = {0x43, 0x79, 0x06, 0x7F, 0x07, 0x00, 0xF7};
constexpr unsigned char voiceKind = 0x01;
constexpr unsigned char streamWaveKind = 0x03;

} // namespace

SmafExclusiveInfo classifySmafExclusive(const unsigned char* body, std::size_t length) {
    SmafExclusiveInfo info;
    constexpr std::size_t prefixLength = std::size(vendorPrefix);
    if (length <= prefixLength || !std::equal(vendorPrefix, vendorPrefix + prefixLength, body))
        return info;

    const unsigned char kind = body[prefixLength];
    if (kind == voiceKind) {
        if (length >= 9) {
            info.keyBound = body[5] == 0x7D;
            info.bankMsb = body[5];
            info.bankLsb = body[6];
            info.program = body[7];
            info.key = body[8];
        }
        info.isVoice = length >= 14 && body[13] == 0x78;
    } else if (kind == streamWaveKind) {
        info.isStreamWave = true;
    } else if (length == std::size(setupEnd)) {
        info.isSetupEnd = std::equal(setupEnd, setupEnd + length, body);
    }
    return info;
}

} // namespace suite
