#include "chimewright/mfi/forms/mfi_texts.hpp"

#include "shared/mfi_format.hpp"

namespace cw {

namespace {

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

} // namespace

std::string cutMfiText(std::string_view ansi) {
    // Whole characters only: a lead byte without its trail byte would spoil the text on the
    // handset's display.
    std::size_t end = 0;
    while (end < ansi.size()) {
        const auto c = static_cast<unsigned char>(ansi[end]);
        if (c < 0x20) break;
        std::size_t next = end + (isLeadByte(c) ? 2 : 1);
        if (next > suite::mfi::maxInfoTextBytes || next > ansi.size()) break;
        if (next == end + 2 && static_cast<unsigned char>(ansi[end + 1]) < 0x20) break;
        end = next;
    }
    return std::string(ansi.substr(0, end));
}

MfiTexts makeMfiTexts(std::string_view titleAnsi, std::string_view copyrightAnsi) {
    return MfiTexts{cutMfiText(titleAnsi), cutMfiText(copyrightAnsi)};
}

} // namespace cw
