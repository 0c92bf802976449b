// A growing MFi file image with big-endian puts and the length fields patched in afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace cw {

class MfiImage {
public:
    std::size_t size() const { return bytes_.size(); }
    const std::vector<unsigned char>& bytes() const { return bytes_; }
    std::vector<unsigned char> take() { return std::move(bytes_); }

    void put(unsigned char byte) { bytes_.push_back(byte); }
    void put(std::initializer_list<unsigned char> bytes) { bytes_.insert(bytes_.end(), bytes); }
    void put(std::span<const unsigned char> bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    void put(std::string_view text);
    void put16(std::uint16_t value);
    void put32(std::uint32_t value);

    void patch16(std::size_t offset, std::uint16_t value);
    void patch32(std::size_t offset, std::uint32_t value);

private:
    std::vector<unsigned char> bytes_;
};

} // namespace cw
