#include "chimewright/app/user_text.hpp"

#include "platform/text.hpp"

namespace cw {

namespace {

struct Decoded {
    char32_t codePoint;
    std::size_t length; // bytes taken; 1 for an invalid byte
    bool valid;
};

Decoded decodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, value = lead & 0x1F, minimum = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, value = lead & 0x0F, minimum = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, value = lead & 0x07, minimum = 0x10000;
    else return {0xFFFD, 1, false};
    if (i + length > text.size()) return {0xFFFD, 1, false};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return {0xFFFD, 1, false};
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {0xFFFD, 1, false};
    return {value, length, true};
}

} // namespace

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = decodeAt(utf8, i);
        if (d.codePoint >= 0x10000) {
            const char32_t v = d.codePoint - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(d.codePoint));
        }
        i += d.length;
    }
    return out;
}

std::string cutToUtf16Units(std::string_view utf8, std::size_t units) {
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const Decoded d = decodeAt(utf8, i);
        const std::size_t cost = d.codePoint >= 0x10000 ? 2 : 1;
        if (used + cost > units) break;
        used += cost;
        i += d.length;
    }
    return std::string(utf8.substr(0, i));
}

std::string cutCp932Bytes(std::string_view cp932, std::size_t limit) {
    std::size_t end = 0;
    while (end < cp932.size()) {
        const auto lead = static_cast<unsigned char>(cp932[end]);
        const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        const std::size_t next = end + (doubleByte ? 2 : 1);
        if (next > limit || next > cp932.size()) break;
        end = next;
    }
    return std::string(cp932.substr(0, end));
}

std::string textFromFile(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const Decoded d = decodeAt(bytes, i);
        if (!d.valid) return platform::cp932ToUtf8(bytes);
        i += d.length;
    }
    return std::string(bytes);
}

} // namespace cw
