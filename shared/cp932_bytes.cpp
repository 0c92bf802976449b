#include "shared/cp932_bytes.hpp"

namespace suite {

std::string_view cutCp932Text(std::string_view text, std::size_t limit) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next =
            end + (isCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
        if (next > limit || next > text.size()) break;
        end = next;
    }
    return text.substr(0, end);
}

} // namespace suite
