#include "shared/smaf_tags.hpp"

#include "shared/cp932_bytes.hpp"

namespace suite {

std::string escapeSmafTagValue(std::string_view value, SmafTagBytes bytes) {
    std::string escaped;
    escaped.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (bytes == SmafTagBytes::doubleByte && isCp932LeadByte(static_cast<unsigned char>(c)) &&
            i + 1 < value.size()) {
            escaped += c;
            escaped += value[++i]; // a trail byte 0x5C is part of the character, not a backslash
            continue;
        }
        if (c == ',' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace suite
