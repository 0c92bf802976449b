// Linear prediction of order 10 and its line-spectral-pair form, the spectral envelope a
// QCELP-13K frame carries. The filter is A(z) = 1 + c1 z^-1 + ... + c10 z^-10 (the
// prediction-error filter; 1 / A(z) is the synthesis filter).
//
// The line spectral pairs are the zeros of P(z) = A(z) + z^-11 A(1/z) and
// Q(z) = A(z) - z^-11 A(1/z) on the unit circle, apart from z = -1 (of P) and z = 1 (of Q).
// They are kept as the cosines of their angles, x = cos(w), in falling order (rising
// frequency): the first, third, ... belong to P, the second, fourth, ... to Q. A filter is
// minimum phase exactly when its pairs interlace like that. Working with the cosines needs
// no trigonometric function, so every build computes the same values.
#pragma once

#include <array>
#include <optional>
#include <span>

namespace cw {

inline constexpr int lpcOrder = 10;

using LpcCoefficients = std::array<double, lpcOrder>; // c1 .. c10
using LineSpectralCosines = std::array<double, lpcOrder>;

// Levinson-Durbin recursion from the autocorrelation r[0..10] to the filter. Nothing when
// r[0] is not positive or a reflection coefficient reaches 1 in size (no stable filter).
std::optional<LpcCoefficients> lpcFromAutocorrelation(std::span<const double, lpcOrder + 1> r);

// The line spectral pairs of a minimum-phase filter; nothing when the zeros are not found
// interlaced (the filter is not minimum phase, or two pairs lie closer than the search sees).
std::optional<LineSpectralCosines> lineSpectralPairs(const LpcCoefficients& lpc);

// The filter whose line spectral pairs these are.
LpcCoefficients lpcFromLineSpectralPairs(const LineSpectralCosines& pairs);

} // namespace cw
