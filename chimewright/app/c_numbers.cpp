#include "chimewright/app/c_numbers.hpp"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace cw {

namespace {

bool isCBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

} // namespace

int leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

double leadingDouble(std::string_view text) {
    // strtod needs a terminated string; the program never changes the "C" locale, so the
    // decimal point is ".".
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

std::string formatInteger(long long value) { return std::to_string(value); }

std::string formatFixed(double value) {
    const int length = std::snprintf(nullptr, 0, "%f", value);
    if (length <= 0) return "0.000000";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%f", value);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace cw
