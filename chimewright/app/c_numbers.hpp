// Numbers read and written the way the C library's conversions do it, independent of the
// program's locale settings.
#pragma once

#include <string>
#include <string_view>

namespace cw {

// As atoi: blanks, an optional sign, decimal digits; stops at the first other character;
// 0 when there is no number. Values beyond the int range are held at its ends.
int leadingInteger(std::string_view text);

// As strtod: the longest leading number (decimal, exponent, hexadecimal, "inf", "nan");
// 0.0 when there is none.
double leadingDouble(std::string_view text);

// As printf's "%d" and "%f".
std::string formatInteger(long long value);
std::string formatFixed(double value);

} // namespace cw
