#include "chimewright/mmfconv/exclusive.hpp"

#include "shared/smaf_exclusive.hpp"
#include "shared/smaf_numbers.hpp"

#include <algorithm>

namespace MMFCONV {

exclusive::exclusive(bool isMobile) : mobile(isMobile) {}

exclusive::~exclusive() = default;

int exclusive::parse(const unsigned char* source, std::size_t length) {
    std::size_t headerLength = 0; // up to the body, in `source`
    int count = 0;
    if (mobile) {
        if (length < 2 || source[0] != 0xF0) return 0;
        const std::size_t countBytes =
            suite::decodeSmafNumber(suite::SmafEncoding::mobile, source + 1, length - 1, count);
        if (countBytes == 0) return 0;
        headerLength = 1 + countBytes;
    } else {
        if (length < 3 || source[0] != 0xFF || source[1] != 0xF0) return 0;
        count = source[2];
        headerLength = 3;
    }
    const std::size_t consumed = headerLength + static_cast<std::size_t>(count);
    if (consumed > length) return 0;

    bytes.clear();
    if (mobile) bytes.push_back(0xFF);
    bytes.insert(bytes.end(), source, source + consumed);
    payloadLength = count;
    totalLength = static_cast<int>(bytes.size());

    const suite::SmafExclusiveInfo info =
        suite::classifySmafExclusive(source + headerLength, static_cast<std::size_t>(count));
    isVoice = info.isVoice;
    isStreamWave = info.isStreamWave;
    isSetupEnd = info.isSetupEnd;
    keyBound = info.keyBound;
    bankMsb = info.bankMsb;
    bankLsb = info.bankLsb;
    program = info.program;
    key = info.key;
    return static_cast<int>(consumed);
}

int exclusive::size() const { return totalLength - (mobile && totalLength > 0 ? 1 : 0); }

const unsigned char* exclusive::data() const { return bytes.data(); }

void exclusive::write(suite::ByteImage& out) const {
    out.put(std::span<const unsigned char>(bytes).subspan(mobile && totalLength > 0 ? 1 : 0));
}

} // namespace MMFCONV
