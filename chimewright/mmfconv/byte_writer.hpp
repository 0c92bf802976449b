// Sequential output into a buffer that the caller has already checked is large enough.
#pragma once

#include "shared/byte_order.hpp"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace MMFCONV {

class ByteWriter {
public:
    explicit ByteWriter(unsigned char* out) : out_(out) {}

    void text(std::string_view chars) {
        std::memcpy(out_ + pos_, chars.data(), chars.size());
        pos_ += static_cast<int>(chars.size());
    }
    void byte(unsigned value) { out_[pos_++] = static_cast<unsigned char>(value); }
    void be16(unsigned value) {
        suite::writeBe16(out_ + pos_, static_cast<std::uint16_t>(value));
        pos_ += 2;
    }
    void be32(std::uint32_t value) {
        suite::writeBe32(out_ + pos_, value);
        pos_ += 4;
    }
    void bytes(const unsigned char* from, std::size_t count) {
        if (count != 0) std::memcpy(out_ + pos_, from, count);
        pos_ += static_cast<int>(count);
    }
    // Where the next byte goes, for a writer that fills a part itself.
    unsigned char* here() { return out_ + pos_; }
    void skip(int count) { pos_ += count; }
    int written() const { return pos_; }

private:
    unsigned char* out_;
    int pos_ = 0;
};

} // namespace MMFCONV
