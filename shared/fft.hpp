// Complex FFT of power-of-two size, in place, unnormalised.
#pragma once

#include <complex>
#include <cstddef>

namespace suite {

using Complex = std::complex<double>;

// sign +1: X[k] = sum x[j] e^(+2 pi i jk/n); sign -1: the exponent's sign is negative.
// n must be a power of two (1 included).
void fft(Complex* data, std::size_t n, int sign);

} // namespace suite
