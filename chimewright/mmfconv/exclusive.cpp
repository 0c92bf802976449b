#include "chimewright/mmfconv/exclusive.hpp"

#include "shared/smaf_numbers.hpp"

namespace cw::smaf {

Exclusive::Exclusive(bool mobile) : mobile_(mobile) {}

std::size_t Exclusive::parse(std::span<const unsigned char> source) {
    std::size_t headerLength = 0; // up to the body, in `source`
    int count = 0;
    if (mobile_) {
        if (source.size() < 2 || source[0] != 0xF0) return 0;
        const std::size_t countBytes = suite::decodeSmafNumber(
            suite::SmafEncoding::mobile, source.data() + 1, source.size() - 1, count);
        if (countBytes == 0) return 0;
        headerLength = 1 + countBytes;
    } else {
        if (source.size() < 3 || source[0] != 0xFF || source[1] != 0xF0) return 0;
        count = source[2];
        headerLength = 3;
    }
    const std::size_t consumed = headerLength + static_cast<std::size_t>(count);
    if (consumed > source.size()) return 0;

    bytes_.clear();
    if (mobile_) bytes_.push_back(0xFF);
    bytes_.insert(bytes_.end(), source.begin(),
                  source.begin() + static_cast<std::ptrdiff_t>(consumed));
    info_ =
        suite::classifySmafExclusive(source.data() + headerLength, static_cast<std::size_t>(count));
    return consumed;
}

std::size_t Exclusive::size() const {
    return bytes_.size() - (mobile_ && !bytes_.empty() ? 1 : 0);
}

void Exclusive::write(suite::ByteImage& out) const {
    out.put(std::span<const unsigned char>(bytes_).subspan(bytes_.size() - size()));
}

} // namespace cw::smaf
