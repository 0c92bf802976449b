#include "voxreel/model/display_texts.hpp"

#include <algorithm>

namespace voxreel {

std::string displayText(std::span<const unsigned char> bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), 0);
    std::string text(bytes.begin(), zero);
    if (text.size() > maxDisplayBytes) text.resize(maxDisplayBytes);
    return text;
}

std::string displayText(const std::string& bytes) {
    return displayText(std::span<const unsigned char>(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

void trimTrailingBlanks(std::string& text) {
    while (text.size() > 1 && text.back() == ' ') text.pop_back();
}

} // namespace voxreel
