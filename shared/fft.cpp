// Power-of-two complex FFT: radix-4 decimation in frequency (and its transpose, decimation in
// time, for the masked band-pass), rows x columns above 2^10 points, blocked bit reversal.
//
// Layout of the work. For n = 2^L:
// - L <= kDirectMaxLog (10): all radix-4 stages over the whole array (it fits in the L1 cache).
// - larger: n = n1 x n2 (n1 = 2^L1 columns, n2 = 2^L2 rows, L2 = floor(L/2)). Column pass:
//   kColumns adjacent columns at a time are gathered into a small buffer, transformed there
//   (n2 points, every butterfly applied to kColumns values with one twiddle), multiplied by
//   w^(c k2) and written back. Row pass: each row of n1 contiguous points transformed where it
//   lies. Two passes over memory instead of L/2; both transforms are the plain radix-2^2
//   decimation-in-frequency structure, so the result is the spectrum in bit-reversed order,
//   and a cache-blocked bit reversal (tiles of 32 x 32 points) puts it in natural order.
//
// Numbers are 16-byte vectors (real, imaginary) with GCC's vector extensions: SSE2 on x86-64,
// plain scalar code elsewhere; either way each result is the same expression of IEEE
// operations, so every build computes the same bits (a 32-bit x86 build would need
// -msse2 -mfpmath=sse to keep that: x87 arithmetic rounds differently).
#include "shared/fft.hpp"

#include "shared/parallel.hpp"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <new>
#include <vector>

namespace suite {

namespace {

// ---------------------------------------------------------------------------------------
// Our own sine and cosine on [0, pi/4], from their Taylor series. On that interval the first
// omitted term is below 1e-18 of the result, so only the rounding of the evaluation remains.
// The argument is x + y (a double-double); y shifts the result by y * cos x or -y * sin x,
// which the small correction terms carry.

double sinTaylor(double x, double y) {
    const double z = x * x;
    // sin x - x = x^3 (-1/3! + z (1/5! - z (1/7! - ...)))
    double p = 1.0 / 355687428096000.0;     // 1/17!
    p = -1.0 / 1307674368000.0 + z * p;     // 1/15!
    p = 1.0 / 6227020800.0 + z * p;         // 1/13!
    p = -1.0 / 39916800.0 + z * p;          // 1/11!
    p = 1.0 / 362880.0 + z * p;             // 1/9!
    p = -1.0 / 5040.0 + z * p;              // 1/7!
    p = 1.0 / 120.0 + z * p;                // 1/5!
    p = -1.0 / 6.0 + z * p;                 // 1/3!
    const double tail = (x * z) * p + y * (1.0 - 0.5 * z);
    return x + tail;
}

double cosTaylor(double x, double y) {
    const double z = x * x;
    // cos x - 1 + x^2/2 = x^4 (1/4! - z (1/6! - z (1/8! - ...)))
    double q = 1.0 / 20922789888000.0;      // 1/16!
    q = -1.0 / 87178291200.0 + z * q;       // 1/14!
    q = 1.0 / 479001600.0 + z * q;          // 1/12!
    q = -1.0 / 3628800.0 + z * q;           // 1/10!
    q = 1.0 / 40320.0 + z * q;              // 1/8!
    q = -1.0 / 720.0 + z * q;               // 1/6!
    q = 1.0 / 24.0 + z * q;                 // 1/4!
    const double small = (z * z) * q - x * y;
    // 1 - z/2 loses the low bits of z/2; recover them from the rounded difference.
    const double half = 0.5 * z;
    const double head = 1.0 - half;
    const double lost = (1.0 - head) - half;
    return head + (small + lost);
}

// Exact product a * b = hi + lo without fused multiply-add (Dekker, Veltkamp splitting).
void twoProduct(double a, double b, double& hi, double& lo) {
    const double split = 134217729.0; // 2^27 + 1
    double t = split * a;
    const double ah = t - (t - a);
    const double al = a - ah;
    t = split * b;
    const double bh = t - (t - b);
    const double bl = b - bh;
    hi = a * b;
    lo = (((ah * bh - hi) + ah * bl) + al * bh) + al * bl;
}

// (cos, sin) of (pi/4) * f for 0 <= f <= 1, f a dyadic rational.
void sinCosOctant(double f, double& c, double& s) {
    if (f == 0.0) {
        c = 1.0;
        s = 0.0;
        return;
    }
    if (f == 1.0) {
        c = s = 0.70710678118654757274; // sqrt(1/2), correctly rounded
        return;
    }
    // pi/4 = kPio4Hi + kPio4Lo to about 2^-107.
    const double kPio4Hi = 7.85398163397448278999e-01;
    const double kPio4Lo = 3.06161699786838301793e-17;
    double hi = 0.0;
    double lo = 0.0;
    twoProduct(kPio4Hi, f, hi, lo);
    lo += kPio4Lo * f;
    const double x = hi + lo;
    const double y = lo - (x - hi);
    c = cosTaylor(x, y);
    s = sinTaylor(x, y);
}

// e^(i theta) for theta = octant * pi/4 + phi, from (c, s) = (cos, sin) of phi for an even
// octant and of pi/4 - phi for an odd one. Subtraction from 0 keeps zeros positive.
Complex fromOctant(std::uint64_t octant, double c, double s) {
    switch (octant & 7) {
    case 0:
        return {c, s};
    case 1:
        return {s, c};
    case 2:
        return {0.0 - s, c};
    case 3:
        return {0.0 - c, s};
    case 4:
        return {0.0 - c, 0.0 - s};
    case 5:
        return {0.0 - s, 0.0 - c};
    case 6:
        return {s, 0.0 - c};
    default:
        return {c, 0.0 - s};
    }
}

// ---------------------------------------------------------------------------------------
// Vector helpers.

typedef double V __attribute__((vector_size(16)));
// Memory view of the caller's array: std::complex<double> is only 8-byte aligned.
typedef double VU __attribute__((vector_size(16), aligned(8), may_alias));
typedef long long VI __attribute__((vector_size(16)));

constexpr long long kSignBit = static_cast<long long>(0x8000000000000000ull);

inline V swapHalves(V x) {
#if defined(__clang__)
    return __builtin_shufflevector(x, x, 1, 0);
#else
    return __builtin_shuffle(x, VI{1, 0});
#endif
}

// Multiplication by +i (forward) or -i (inverse): exact.
template <bool Inv> inline V timesI(V x) {
    const V s = swapHalves(x);
    return Inv ? V(VI(s) ^ VI{0, kSignBit}) : V(VI(s) ^ VI{kSignBit, 0});
}

// A twiddle factor w = (wr, wi) of the forward transform, spread for the multiplication:
// re = (wr, wr), im = (-wi, wi).
struct Tw {
    V re;
    V im;
};

Tw makeTw(Complex w) {
    return Tw{V{w.real(), w.real()}, V{-w.imag(), w.imag()}};
}

// x * w (forward) or x * conj(w) (inverse):
// (xr wr - xi wi, xi wr + xr wi), resp. (xr wr + xi wi, xi wr - xr wi).
template <bool Inv> inline V cmul(V x, const Tw& t) {
    return Inv ? x * t.re - swapHalves(x) * t.im : x * t.re + swapHalves(x) * t.im;
}

// ---------------------------------------------------------------------------------------
// Butterfly stages over `count` points, each point W vectors wide (W = 1 for a row of the
// caller's array, W = kColumns in the column buffer, where one butterfly serves W columns).

// Radix-4 decimation in frequency over spans of `span` points (span >= 8); tw holds
// (w^j, w^2j, w^3j) for j < span/4, w = e^(2 pi i/span).
template <int W, bool Inv> void difStage(VU* p, std::size_t count, std::size_t span, const Tw* tw) {
    const std::size_t m = span / 4;
    const std::size_t s = m * W;
    for (std::size_t g = 0; g < count; g += span) {
        VU* a = p + g * W;
        for (std::size_t j = 0; j < m; ++j, a += W) {
            const Tw w1 = tw[3 * j];
            const Tw w2 = tw[3 * j + 1];
            const Tw w3 = tw[3 * j + 2];
            for (int c = 0; c < W; ++c) {
                const V x0 = a[c];
                const V x1 = a[c + s];
                const V x2 = a[c + 2 * s];
                const V x3 = a[c + 3 * s];
                const V a0 = x0 + x2;
                const V a1 = x1 + x3;
                const V b0 = x0 - x2;
                const V b1 = timesI<Inv>(x1 - x3);
                a[c] = a0 + a1;
                a[c + s] = cmul<Inv>(a0 - a1, w2);
                a[c + 2 * s] = cmul<Inv>(b0 + b1, w1);
                a[c + 3 * s] = cmul<Inv>(b0 - b1, w3);
            }
        }
    }
}

// The last radix-4 stage (span 4): all twiddles are 1.
template <int W, bool Inv> void difLast4(VU* p, std::size_t count) {
    for (std::size_t g = 0; g < count; g += 4) {
        VU* a = p + g * W;
        for (int c = 0; c < W; ++c) {
            const V x0 = a[c];
            const V x1 = a[c + W];
            const V x2 = a[c + 2 * W];
            const V x3 = a[c + 3 * W];
            const V a0 = x0 + x2;
            const V a1 = x1 + x3;
            const V b0 = x0 - x2;
            const V b1 = timesI<Inv>(x1 - x3);
            a[c] = a0 + a1;
            a[c + W] = a0 - a1;
            a[c + 2 * W] = b0 + b1;
            a[c + 3 * W] = b0 - b1;
        }
    }
}

// Radix 2 over spans of 2 (odd L): the same for both directions.
template <int W> void radix2(VU* p, std::size_t count) {
    for (std::size_t g = 0; g < count; g += 2) {
        VU* a = p + g * W;
        for (int c = 0; c < W; ++c) {
            const V x0 = a[c];
            const V x1 = a[c + W];
            a[c] = x0 + x1;
            a[c + W] = x0 - x1;
        }
    }
}

// Decimation in time: the transpose of difStage (bit-reversed input, natural output).
template <int W, bool Inv> void ditStage(VU* p, std::size_t count, std::size_t span, const Tw* tw) {
    const std::size_t m = span / 4;
    const std::size_t s = m * W;
    for (std::size_t g = 0; g < count; g += span) {
        VU* a = p + g * W;
        for (std::size_t j = 0; j < m; ++j, a += W) {
            const Tw w1 = tw[3 * j];
            const Tw w2 = tw[3 * j + 1];
            const Tw w3 = tw[3 * j + 2];
            for (int c = 0; c < W; ++c) {
                const V y0 = a[c];
                const V u1 = cmul<Inv>(a[c + s], w2);
                const V u2 = cmul<Inv>(a[c + 2 * s], w1);
                const V u3 = cmul<Inv>(a[c + 3 * s], w3);
                const V a0 = y0 + u1;
                const V a1 = y0 - u1;
                const V b0 = u2 + u3;
                const V b1 = timesI<Inv>(u2 - u3);
                a[c] = a0 + b0;
                a[c + s] = a1 + b1;
                a[c + 2 * s] = a0 - b0;
                a[c + 3 * s] = a1 - b1;
            }
        }
    }
}

template <int W, bool Inv> void ditFirst4(VU* p, std::size_t count) {
    for (std::size_t g = 0; g < count; g += 4) {
        VU* a = p + g * W;
        for (int c = 0; c < W; ++c) {
            const V y0 = a[c];
            const V u1 = a[c + W];
            const V u2 = a[c + 2 * W];
            const V u3 = a[c + 3 * W];
            const V a0 = y0 + u1;
            const V a1 = y0 - u1;
            const V b0 = u2 + u3;
            const V b1 = timesI<Inv>(u2 - u3);
            a[c] = a0 + b0;
            a[c + W] = a1 + b1;
            a[c + 2 * W] = a0 - b0;
            a[c + 3 * W] = a1 - b1;
        }
    }
}

// ---------------------------------------------------------------------------------------
// Tables of one call.

constexpr int kDirectMaxLog = 10; // up to 2^10 points (16 KiB; 32 KiB of tables) all in L1
constexpr int kColumns = 8;       // columns per block of the column pass (128 bytes a row)
constexpr int kTileLog = 5;       // bit reversal in tiles of 32 x 32 points

std::vector<std::uint32_t> bitReversalTable(int bits) {
    std::vector<std::uint32_t> rev(std::size_t{1} << bits);
    for (std::size_t i = 1; i < rev.size(); ++i)
        rev[i] = (rev[i >> 1] >> 1) | static_cast<std::uint32_t>((i & 1) << (bits - 1));
    return rev;
}

struct Plan {
    int logN = 0;
    int log1 = 0; // row length 2^log1 (the whole array when direct)
    int log2 = 0; // rows 2^log2 (0 when direct)
    std::vector<Tw> twiddles;
    std::size_t spanOffset[64] = {};
    // Rows x columns: w^t = fine[t & fineMask] * coarse[t >> fineLog], w = e^(2 pi i/n).
    int fineLog = 0;
    const Tw* fine = nullptr;
    const Tw* coarse = nullptr;
    std::vector<std::uint32_t> rowReversal; // bit reversal of log2 bits

    bool direct() const { return log2 == 0; }
    const Tw* span(int s) const { return twiddles.data() + spanOffset[s]; }
};

// unitRoot(k, n) for k < count, with one kernel evaluation per point of the first octant and
// the rest by symmetry: the same values as unitRoot, bit for bit.
std::vector<Complex> unitRoots(std::uint64_t n, std::uint64_t count) {
    std::vector<Complex> roots(count);
    if (n < 8) {
        for (std::uint64_t k = 0; k < count; ++k)
            roots[k] = detail::unitRoot(k, n);
        return roots;
    }
    const std::uint64_t eighth = n / 8;
    std::vector<Complex> first(std::min(eighth + 1, count)); // (cos, sin) of (pi/4) r/eighth
    for (std::uint64_t r = 0; r < first.size(); ++r)
        first[r] = detail::unitRoot(r, n);
    for (std::uint64_t k = 0; k < count; ++k) {
        const std::uint64_t octant = (k & (n - 1)) / eighth;
        std::uint64_t r = k % eighth;
        if (octant & 1) r = eighth - r;
        roots[k] = fromOctant(octant, first[r].real(), first[r].imag());
    }
    return roots;
}

Plan makePlan(int logN) {
    Plan plan;
    plan.logN = logN;
    if (logN <= kDirectMaxLog) {
        plan.log1 = logN;
    } else {
        plan.log2 = logN / 2;
        plan.log1 = logN - plan.log2;
    }
    // Radix-4 stages of an in-cache transform of 2^L points have spans 2^L, 2^(L-2), ... > 4.
    bool needed[64] = {};
    int largest = 0;
    for (int size : {plan.log1, plan.log2})
        for (int s = size; s >= 3; s -= 2) {
            needed[s] = true;
            largest = std::max(largest, s);
        }
    std::size_t total = 0;
    for (int s = 3; s < 64; ++s)
        if (needed[s]) total += 3 * (std::size_t{1} << (s - 2));
    std::size_t fineSize = 0;
    std::size_t coarseSize = 0;
    if (!plan.direct()) {
        plan.fineLog = (logN + 1) / 2;
        fineSize = std::size_t{1} << plan.fineLog;
        coarseSize = std::size_t{1} << (logN - plan.fineLog);
    }
    plan.twiddles.reserve(total + fineSize + coarseSize);
    if (largest > 0) {
        // Every span's factors are among the 3/4 span first roots of the largest span.
        const std::uint64_t top = std::uint64_t{1} << largest;
        const std::vector<Complex> roots = unitRoots(top, 3 * top / 4);
        for (int s = 3; s <= largest; ++s) {
            if (!needed[s]) continue;
            plan.spanOffset[s] = plan.twiddles.size();
            const std::uint64_t span = std::uint64_t{1} << s;
            const std::uint64_t scale = top / span;
            for (std::uint64_t j = 0; j < span / 4; ++j)
                for (std::uint64_t q = 1; q <= 3; ++q)
                    plan.twiddles.push_back(makeTw(roots[q * j * scale]));
        }
    }
    if (!plan.direct()) {
        const std::uint64_t n = std::uint64_t{1} << logN;
        const std::size_t fineAt = plan.twiddles.size();
        for (const Complex& w : unitRoots(n, fineSize))
            plan.twiddles.push_back(makeTw(w));
        const std::size_t coarseAt = plan.twiddles.size();
        for (const Complex& w : unitRoots(n >> plan.fineLog, coarseSize))
            plan.twiddles.push_back(makeTw(w));
        plan.fine = plan.twiddles.data() + fineAt;
        plan.coarse = plan.twiddles.data() + coarseAt;
        plan.rowReversal = bitReversalTable(plan.log2);
    }
    return plan;
}

// ---------------------------------------------------------------------------------------
// Transforms of one block that fits in cache: 2^logM points, W vectors each.

template <int W, bool Inv> void difBlock(VU* p, int logM, const Plan& plan) {
    const std::size_t count = std::size_t{1} << logM;
    int s = logM;
    for (; s >= 3; s -= 2)
        difStage<W, Inv>(p, count, std::size_t{1} << s, plan.span(s));
    if (s == 2)
        difLast4<W, Inv>(p, count);
    else if (s == 1)
        radix2<W>(p, count);
}

template <int W, bool Inv> void ditBlock(VU* p, int logM, const Plan& plan) {
    const std::size_t count = std::size_t{1} << logM;
    if (logM == 0) return;
    int s = 2 - (logM & 1);
    if (s == 1)
        radix2<W>(p, count);
    else
        ditFirst4<W, Inv>(p, count);
    for (s += 2; s <= logM; s += 2)
        ditStage<W, Inv>(p, count, std::size_t{1} << s, plan.span(s));
}

// ---------------------------------------------------------------------------------------
// Column pass of the rows x columns form.

// Forward: gather, transform down the columns, multiply by w^(c k2), scatter. Columns
// [columnBegin, columnEnd), multiples of kColumns; by default all of them.
template <bool Inv>
void columnsForward(VU* p, const Plan& plan, V* buffer, std::size_t columnBegin = 0,
                    std::size_t columnEnd = SIZE_MAX) {
    const std::size_t n1 = std::size_t{1} << plan.log1;
    const std::size_t n2 = std::size_t{1} << plan.log2;
    const std::uint64_t fineMask = (std::uint64_t{1} << plan.fineLog) - 1;
    VU* buf = reinterpret_cast<VU*>(buffer);
    for (std::size_t c0 = columnBegin; c0 < std::min(columnEnd, n1); c0 += kColumns) {
        for (std::size_t r = 0; r < n2; ++r) {
            const VU* src = p + r * n1 + c0;
            VU* dst = buf + r * kColumns;
            for (int c = 0; c < kColumns; ++c)
                dst[c] = src[c];
        }
        difBlock<kColumns, Inv>(buf, plan.log2, plan);
        for (std::size_t r = 0; r < n2; ++r) {
            const std::uint64_t k2 = plan.rowReversal[r];
            const VU* src = buf + r * kColumns;
            VU* dst = p + r * n1 + c0;
            std::uint64_t t = c0 * k2;
            for (int c = 0; c < kColumns; ++c, t += k2) {
                const V x = cmul<Inv>(src[c], plan.fine[t & fineMask]);
                dst[c] = cmul<Inv>(x, plan.coarse[t >> plan.fineLog]);
            }
        }
    }
}

// Inverse (the transpose of columnsForward): gather with the twiddles, transform, scatter.
template <bool Inv>
void columnsInverse(VU* p, const Plan& plan, V* buffer, std::size_t columnBegin = 0,
                    std::size_t columnEnd = SIZE_MAX) {
    const std::size_t n1 = std::size_t{1} << plan.log1;
    const std::size_t n2 = std::size_t{1} << plan.log2;
    const std::uint64_t fineMask = (std::uint64_t{1} << plan.fineLog) - 1;
    VU* buf = reinterpret_cast<VU*>(buffer);
    for (std::size_t c0 = columnBegin; c0 < std::min(columnEnd, n1); c0 += kColumns) {
        for (std::size_t r = 0; r < n2; ++r) {
            const std::uint64_t k2 = plan.rowReversal[r];
            const VU* src = p + r * n1 + c0;
            VU* dst = buf + r * kColumns;
            std::uint64_t t = c0 * k2;
            for (int c = 0; c < kColumns; ++c, t += k2) {
                const V x = cmul<Inv>(src[c], plan.fine[t & fineMask]);
                dst[c] = cmul<Inv>(x, plan.coarse[t >> plan.fineLog]);
            }
        }
        ditBlock<kColumns, Inv>(buf, plan.log2, plan);
        for (std::size_t r = 0; r < n2; ++r) {
            const VU* src = buf + r * kColumns;
            VU* dst = p + r * n1 + c0;
            for (int c = 0; c < kColumns; ++c)
                dst[c] = src[c];
        }
    }
}

std::vector<V> columnBuffer(const Plan& plan) {
    if (plan.direct()) return {};
    return std::vector<V>((std::size_t{1} << plan.log2) * kColumns);
}

// The whole transform in bit-reversed output order.
template <bool Inv> void transformBitReversed(VU* p, const Plan& plan) {
    if (plan.direct()) {
        difBlock<1, Inv>(p, plan.logN, plan);
        return;
    }
    std::vector<V> buffer = columnBuffer(plan);
    columnsForward<Inv>(p, plan, buffer.data());
    const std::size_t n1 = std::size_t{1} << plan.log1;
    const std::size_t n2 = std::size_t{1} << plan.log2;
    for (std::size_t r = 0; r < n2; ++r)
        difBlock<1, Inv>(p + r * n1, plan.log1, plan);
}

// ---------------------------------------------------------------------------------------
// Bit reversal in place.

void swapReversedSmall(VU* p, int logN) {
    const std::size_t n = std::size_t{1} << logN;
    std::size_t j = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i < j) {
            const V t = p[i];
            p[i] = p[j];
            p[j] = t;
        }
        std::size_t bit = n >> 1;
        while (bit != 0 && (j & bit) != 0) {
            j ^= bit;
            bit >>= 1;
        }
        j |= bit;
    }
}

// Index (a, m, c) with a, c of kTileLog bits goes to (rev c, rev m, rev a): tile m and tile
// rev m exchange their points, each transposed and reversed in both coordinates.
void bitReverse(VU* p, int logN) {
    if (logN < 2 * kTileLog + 1) {
        swapReversedSmall(p, logN);
        return;
    }
    constexpr std::size_t T = std::size_t{1} << kTileLog;
    const int midLog = logN - 2 * kTileLog;
    const std::size_t mids = std::size_t{1} << midLog;
    const std::size_t rowStride = std::size_t{1} << (logN - kTileLog);
    std::uint32_t rev[T];
    for (std::size_t i = 0; i < T; ++i) {
        std::uint32_t r = 0;
        for (int b = 0; b < kTileLog; ++b)
            r |= static_cast<std::uint32_t>(((i >> b) & 1) << (kTileLog - 1 - b));
        rev[i] = r;
    }
    std::vector<V> buffers(2 * T * T);
    V* bufA = buffers.data();
    V* bufB = bufA + T * T;
    std::size_t mr = 0; // rev(m) over midLog bits, counted along with m
    for (std::size_t m = 0; m < mids; ++m) {
        if (mr >= m) {
            VU* A = p + (m << kTileLog);
            VU* B = p + (mr << kTileLog);
            for (std::size_t a = 0; a < T; ++a)
                for (std::size_t c = 0; c < T; ++c)
                    bufA[a * T + c] = A[a * rowStride + c];
            if (mr == m) {
                for (std::size_t x = 0; x < T; ++x)
                    for (std::size_t y = 0; y < T; ++y)
                        A[x * rowStride + y] = bufA[rev[y] * T + rev[x]];
            } else {
                for (std::size_t a = 0; a < T; ++a)
                    for (std::size_t c = 0; c < T; ++c)
                        bufB[a * T + c] = B[a * rowStride + c];
                for (std::size_t x = 0; x < T; ++x)
                    for (std::size_t y = 0; y < T; ++y) {
                        A[x * rowStride + y] = bufB[rev[y] * T + rev[x]];
                        B[x * rowStride + y] = bufA[rev[y] * T + rev[x]];
                    }
            }
        }
        std::size_t bit = mids >> 1;
        while (bit != 0 && (mr & bit) != 0) {
            mr ^= bit;
            bit >>= 1;
        }
        mr |= bit;
    }
}

int log2Exact(std::size_t n) {
    int l = 0;
    while ((std::size_t{1} << l) < n)
        ++l;
    return l;
}

bool powerOfTwo(std::size_t n) {
    return n != 0 && (n & (n - 1)) == 0;
}

} // namespace

namespace detail {

Complex unitRoot(std::uint64_t k, std::uint64_t n) {
    assert(powerOfTwo(n));
    k &= n - 1;
    if (n < 8) { // the same rational angle over 8
        k *= 8 / n;
        n = 8;
    }
    const std::uint64_t eighth = n / 8;
    const std::uint64_t octant = k / eighth;
    std::uint64_t r = k % eighth;
    if (octant & 1) r = eighth - r; // reflect: angle pi/4 - phi within the octant
    double c = 0.0;
    double s = 0.0;
    sinCosOctant(static_cast<double>(r) / static_cast<double>(eighth), c, s);
    return fromOctant(octant, c, s);
}

} // namespace detail

void fft(Complex* data, std::size_t n, int sign) {
    assert(powerOfTwo(n));
    if (n <= 1 || !powerOfTwo(n)) return;
    const int logN = log2Exact(n);
    VU* p = reinterpret_cast<VU*>(data);
    const Plan plan = makePlan(logN);
    if (sign < 0)
        transformBitReversed<true>(p, plan);
    else
        transformBitReversed<false>(p, plan);
    bitReverse(p, logN);
}

void fftBandPass(Complex* data, std::size_t n, std::size_t keepBegin, std::size_t keepEnd) {
    assert(powerOfTwo(n));
    if (n == 0 || !powerOfTwo(n)) return;
    keepEnd = std::min(keepEnd, n);
    if (keepBegin >= keepEnd) {
        std::fill(data, data + n, Complex(0.0, 0.0));
        return;
    }
    if (n == 1) return;
    const int logN = log2Exact(n);
    VU* p = reinterpret_cast<VU*>(data);
    const Plan plan = makePlan(logN);
    const V zero = {0.0, 0.0};
    if (plan.direct()) {
        difBlock<1, false>(p, logN, plan);
        const std::vector<std::uint32_t> rev = bitReversalTable(logN);
        for (std::size_t i = 0; i < n; ++i)
            if (rev[i] < keepBegin || rev[i] >= keepEnd) p[i] = zero;
        ditBlock<1, true>(p, logN, plan);
        return;
    }
    std::vector<V> buffer = columnBuffer(plan);
    columnsForward<false>(p, plan, buffer.data());
    // Point c of row r holds X[rev1(c) n2 + rev2(r)]; each row is transformed forward, masked
    // and transformed back while it is in cache.
    const std::size_t n1 = std::size_t{1} << plan.log1;
    const std::size_t n2 = std::size_t{1} << plan.log2;
    const std::vector<std::uint32_t> rev1 = bitReversalTable(plan.log1);
    for (std::size_t r = 0; r < n2; ++r) {
        VU* row = p + r * n1;
        difBlock<1, false>(row, plan.log1, plan);
        const std::size_t k2 = plan.rowReversal[r];
        for (std::size_t c = 0; c < n1; ++c) {
            const std::size_t k = std::size_t{rev1[c]} * n2 + k2;
            if (k < keepBegin || k >= keepEnd) row[c] = zero;
        }
        ditBlock<1, true>(row, plan.log1, plan);
    }
    columnsInverse<true>(p, plan, buffer.data());
}

namespace {

// Column groups (kColumns columns each) per part at the least, and rows per part: below that a
// thread costs more than it saves.
constexpr std::size_t kMinGroupsPerPart = 16;
constexpr std::size_t kMinRowsPerPart = 16;

// The column pass of the rows x columns form with the column groups spread over the cores;
// each part has its own buffer.
template <bool Inv, bool Forward> void columnsOnAllCores(VU* p, const Plan& plan) {
    const std::size_t groups = (std::size_t{1} << plan.log1) / kColumns;
    std::vector<std::vector<V>> buffers(parallelParts(groups, kMinGroupsPerPart));
    for (auto& buffer : buffers)
        buffer = columnBuffer(plan);
    parallelFor(groups, kMinGroupsPerPart, [&](std::size_t part, std::size_t g0, std::size_t g1) {
        V* buffer = buffers[part].data();
        if (Forward)
            columnsForward<Inv>(p, plan, buffer, g0 * kColumns, g1 * kColumns);
        else
            columnsInverse<Inv>(p, plan, buffer, g0 * kColumns, g1 * kColumns);
    });
}

} // namespace

bool fftForwardBand(Complex* data, std::size_t n, std::size_t limit, BandSpectrum& spectrum) {
    assert(powerOfTwo(n));
    spectrum = BandSpectrum{};
    if (n == 0 || !powerOfTwo(n)) return true;
    limit = std::min(limit, n);
    spectrum.n = n;
    spectrum.limit = limit;
    try {
        if (n == 1) {
            spectrum.rows = 1;
            spectrum.perRow = limit;
            spectrum.bins.assign(data, data + limit);
            return true;
        }
        const int logN = log2Exact(n);
        VU* p = reinterpret_cast<VU*>(data);
        const Plan plan = makePlan(logN);
        if (plan.direct()) {
            // Position i holds X[rev(i)]: bin f sits at rev(f).
            difBlock<1, false>(p, logN, plan);
            const std::vector<std::uint32_t> rev = bitReversalTable(logN);
            spectrum.rows = 1;
            spectrum.perRow = limit;
            spectrum.bins.resize(limit);
            for (std::size_t f = 0; f < limit; ++f)
                spectrum.bins[f] = data[rev[f]];
            return true;
        }
        columnsOnAllCores<false, true>(p, plan);
        // Point c of row r holds X[rev1(c) n2 + rev2(r)]: bin f n2 + rev2(r) sits at rev1(f).
        const std::size_t n1 = std::size_t{1} << plan.log1;
        const std::size_t n2 = std::size_t{1} << plan.log2;
        const std::vector<std::uint32_t> rev1 = bitReversalTable(plan.log1);
        const std::size_t perRow = std::min(n1, (limit + n2 - 1) / n2);
        spectrum.rows = n2;
        spectrum.perRow = perRow;
        spectrum.bins.resize(n2 * perRow);
        parallelFor(n2, kMinRowsPerPart, [&](std::size_t, std::size_t r0, std::size_t r1) {
            for (std::size_t r = r0; r < r1; ++r) {
                Complex* row = data + r * n1;
                difBlock<1, false>(reinterpret_cast<VU*>(row), plan.log1, plan);
                Complex* kept = spectrum.bins.data() + r * perRow;
                for (std::size_t f = 0; f < perRow; ++f)
                    kept[f] = row[rev1[f]];
            }
        });
        return true;
    } catch (const std::bad_alloc&) {
        spectrum = BandSpectrum{};
        return false;
    }
}

void fftInverseBand(const BandSpectrum& spectrum, std::size_t keepBegin, std::size_t keepEnd,
                    Complex* data) {
    const std::size_t n = spectrum.n;
    if (n == 0) return;
    assert(std::min(keepEnd, n) <= spectrum.limit || keepBegin >= keepEnd);
    keepEnd = std::min({keepEnd, n, spectrum.limit});
    if (keepBegin >= keepEnd) {
        std::fill(data, data + n, Complex(0.0, 0.0));
        return;
    }
    if (n == 1) {
        data[0] = spectrum.bins[0];
        return;
    }
    const int logN = log2Exact(n);
    VU* p = reinterpret_cast<VU*>(data);
    const Plan plan = makePlan(logN);
    if (plan.direct()) {
        const std::vector<std::uint32_t> rev = bitReversalTable(logN);
        std::fill(data, data + n, Complex(0.0, 0.0));
        for (std::size_t f = keepBegin; f < keepEnd; ++f)
            data[rev[f]] = spectrum.bins[f];
        ditBlock<1, true>(p, logN, plan);
        return;
    }
    const std::size_t n1 = std::size_t{1} << plan.log1;
    const std::size_t n2 = std::size_t{1} << plan.log2;
    const std::vector<std::uint32_t> rev1 = bitReversalTable(plan.log1);
    const std::size_t perRow = spectrum.perRow;
    parallelFor(n2, kMinRowsPerPart, [&](std::size_t, std::size_t r0, std::size_t r1) {
        for (std::size_t r = r0; r < r1; ++r) {
            Complex* row = data + r * n1;
            std::fill(row, row + n1, Complex(0.0, 0.0));
            const std::size_t k2 = plan.rowReversal[r];
            const Complex* kept = spectrum.bins.data() + r * perRow;
            for (std::size_t f = 0; f < perRow; ++f) {
                const std::size_t k = f * n2 + k2;
                if (k >= keepBegin && k < keepEnd) row[rev1[f]] = kept[f];
            }
            ditBlock<1, true>(reinterpret_cast<VU*>(row), plan.log1, plan);
        }
    });
    columnsOnAllCores<true, false>(p, plan);
}

} // namespace suite
