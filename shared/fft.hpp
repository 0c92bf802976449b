// Complex FFT of power-of-two size, in place, unnormalised.
//
// Determinism: every build (GCC on Linux, mingw-w64 for Windows) computes bit-identical
// results. The twiddle factors come from our own sine and cosine (exact octant reduction of
// the rational angle k/n, a double-double argument, polynomial kernels), never from the
// platform's libm, and the transform uses only IEEE +, -, * on doubles in a fixed order
// (the build sets -ffp-contract=off, so no fused multiply-add changes a rounding).
//
// Work tables are built per call and freed before it returns; nothing is cached, so the
// functions are safe to call from several threads at once. Up to n = 2^10 the transform runs
// in one block (32 KiB of twiddles); above, as rows x columns (n = n1 x n2, n1 and n2 near
// sqrt(n)), with twiddles, a column buffer and bit-reversal tiles of about 240 sqrt(n) bytes:
// 356 KiB at 2^21, 680 KiB at 2^23 (0.5 % of the 128 MiB of data), 1.3 MiB at 2^25
// (docs/PERFORMANCE.md has the figures).
#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace suite {

using Complex = std::complex<double>;

// sign +1: X[k] = sum x[j] e^(+2 pi i jk/n); sign -1: the exponent's sign is negative.
// n must be a power of two (1 included); results are in natural order.
void fft(Complex* data, std::size_t n, int sign);

// The band-pass in one go: the forward (sign +1) transform, X[k] = 0 for every k
// outside [keepBegin, keepEnd), then the inverse (sign -1) transform; unnormalised, so the
// result is n times the filtered signal. Same value as fft(+1), zeroing, fft(-1) up to
// rounding, but without the two bit-reversal passes (the spectrum is masked in the
// transform's own bit-reversed order).
void fftBandPass(Complex* data, std::size_t n, std::size_t keepBegin, std::size_t keepEnd);

// The spectrum of one sound kept for several band passes over the same samples: the bins
// below `limit` of the forward (sign +1) transform, in the order the inverse reads them.
struct BandSpectrum {
    std::size_t n = 0;      // transform size
    std::size_t limit = 0;  // bins [0, limit) are kept
    std::size_t rows = 0;   // bins are stored per row of the rows x columns form
    std::size_t perRow = 0; // row r holds the bins f n2 + rev(r) for f < perRow
    std::vector<Complex> bins;
};

// fftBandPass in two halves, for several pass bands over one sound: fftForwardBand keeps the
// bins below `limit` of data's forward transform (data, n points, is used up as work space);
// fftInverseBand then writes into data (n points) what fftBandPass(data, n, keepBegin, keepEnd)
// would have given for the original data: the same operations on the same values, so the
// same bits. keepEnd must not exceed the kept limit. Both spread their passes over the
// machine's cores (suite::parallelFor); the result does not depend on that. False when the
// memory for the kept bins cannot be had.
bool fftForwardBand(Complex* data, std::size_t n, std::size_t limit, BandSpectrum& spectrum);
void fftInverseBand(const BandSpectrum& spectrum, std::size_t keepBegin, std::size_t keepEnd,
                    Complex* data);

namespace detail {

// e^(+2 pi i k/n) for n a power of two, from our own sine and cosine (error below 1 ulp;
// exact at multiples of pi/4). The values every twiddle table is built from.
Complex unitRoot(std::uint64_t k, std::uint64_t n);

} // namespace detail

} // namespace suite
