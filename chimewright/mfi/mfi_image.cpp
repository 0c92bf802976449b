#include "chimewright/mfi/mfi_image.hpp"

#include "shared/byte_order.hpp"

namespace cw {

void MfiImage::put(std::string_view text) {
    for (char c : text) bytes_.push_back(static_cast<unsigned char>(c));
}

void MfiImage::put16(std::uint16_t value) {
    bytes_.resize(bytes_.size() + 2);
    suite::writeBe16(bytes_.data() + bytes_.size() - 2, value);
}

void MfiImage::put32(std::uint32_t value) {
    bytes_.resize(bytes_.size() + 4);
    suite::writeBe32(bytes_.data() + bytes_.size() - 4, value);
}

void MfiImage::patch16(std::size_t offset, std::uint16_t value) {
    suite::writeBe16(bytes_.data() + offset, value);
}

void MfiImage::patch32(std::size_t offset, std::uint32_t value) {
    suite::writeBe32(bytes_.data() + offset, value);
}

} // namespace cw
