#include "chimewright/qcp/line_spectral_pairs.hpp"

#include <cmath>
#include <vector>

namespace cw {

namespace {

constexpr int half = lpcOrder / 2;

// The cosine series d0 + d1 T1(x) + ... + d5 T5(x) of a symmetric polynomial of degree 10
// on the unit circle, after the factor z^-5: coefficients g[0..10] with g[k] = g[10 - k]
// give g[5] + 2 (g[4] cos w + g[3] cos 2w + ... + g[0] cos 5w).
using CosineSeries = std::array<double, half + 1>;

CosineSeries cosineSeries(const std::array<double, lpcOrder + 1>& g) {
    CosineSeries d{};
    d[0] = g[half];
    for (int k = 1; k <= half; ++k) d[k] = 2.0 * g[half - k];
    return d;
}

// Clenshaw's recurrence for the sum of d[k] T_k(x).
double evaluate(const CosineSeries& d, double x) {
    double next = 0.0, afterNext = 0.0;
    for (int k = half; k >= 1; --k) {
        const double b = d[k] + 2.0 * x * next - afterNext;
        afterNext = next;
        next = b;
    }
    return d[0] + x * next - afterNext;
}

// The zeros of the series in (-1, 1), falling, found on a grid of `steps` intervals from
// x = 1 down and refined by bisection. Every build takes the same steps.
std::vector<double> zeros(const CosineSeries& d, int steps) {
    std::vector<double> found;
    double high = 1.0;
    double fHigh = evaluate(d, high);
    for (int i = 1; i <= steps; ++i) {
        const double low = 1.0 - 2.0 * static_cast<double>(i) / steps;
        const double fLow = evaluate(d, low);
        const bool crosses = (fHigh < 0.0 && fLow > 0.0) || (fHigh > 0.0 && fLow < 0.0) ||
                             (fLow == 0.0 && fHigh != 0.0);
        if (crosses) {
            double a = high, b = low, fa = fHigh;
            for (int n = 0; n < 52; ++n) {
                const double mid = 0.5 * (a + b);
                const double fMid = evaluate(d, mid);
                if (fMid == 0.0) {
                    a = b = mid;
                    break;
                }
                if ((fMid < 0.0) == (fa < 0.0)) {
                    a = mid;
                    fa = fMid;
                } else {
                    b = mid;
                }
            }
            found.push_back(0.5 * (a + b));
        }
        high = low;
        fHigh = fLow;
    }
    return found;
}

bool interlace(const std::vector<double>& p, const std::vector<double>& q) {
    if (p.size() != half || q.size() != half) return false;
    double previous = 1.0;
    for (int i = 0; i < half; ++i) {
        if (!(p[i] < previous && q[i] < p[i])) return false;
        previous = q[i];
    }
    return previous > -1.0;
}

// The product of the factors 1 - 2 x z^-1 + z^-2 of every second pair from `first` on.
std::array<double, lpcOrder + 1> productOfFactors(const LineSpectralCosines& pairs, int first) {
    std::array<double, lpcOrder + 1> g{};
    g[0] = 1.0;
    int degree = 0;
    for (int i = first; i < lpcOrder; i += 2) {
        const double m = -2.0 * pairs[i];
        for (int k = degree + 2; k >= 0; --k) {
            double v = g[k];
            if (k >= 1) v += m * g[k - 1];
            if (k >= 2) v += g[k - 2];
            g[k] = v;
        }
        degree += 2;
    }
    return g;
}

} // namespace

std::optional<LpcCoefficients> lpcFromAutocorrelation(std::span<const double, lpcOrder + 1> r) {
    if (!(r[0] > 0.0)) return std::nullopt;
    LpcCoefficients a{};
    double error = r[0];
    for (int i = 1; i <= lpcOrder; ++i) {
        double acc = r[i];
        for (int j = 1; j < i; ++j) acc += a[j - 1] * r[i - j];
        const double k = -acc / error;
        if (!(std::fabs(k) < 1.0)) return std::nullopt;
        LpcCoefficients next = a;
        for (int j = 1; j < i; ++j) next[j - 1] = a[j - 1] + k * a[i - j - 1];
        next[i - 1] = k;
        a = next;
        error *= 1.0 - k * k;
    }
    return a;
}

std::optional<LineSpectralCosines> lineSpectralPairs(const LpcCoefficients& lpc) {
    // a[0..11] with a[0] = 1 and a[11] = 0; P and Q, then P / (1 + z^-1) and Q / (1 - z^-1).
    std::array<double, lpcOrder + 2> a{};
    a[0] = 1.0;
    for (int k = 1; k <= lpcOrder; ++k) a[k] = lpc[k - 1];
    std::array<double, lpcOrder + 1> p{}, q{};
    double previousP = 0.0, previousQ = 0.0;
    for (int k = 0; k <= lpcOrder; ++k) {
        p[k] = a[k] + a[lpcOrder + 1 - k] - previousP;
        q[k] = a[k] - a[lpcOrder + 1 - k] + previousQ;
        previousP = p[k];
        previousQ = q[k];
    }
    const CosineSeries seriesP = cosineSeries(p), seriesQ = cosineSeries(q);

    // A coarse grid finds the zeros of ordinary speech spectra; a fine one those that lie
    // close together.
    for (int steps : {1024, 16384}) {
        const std::vector<double> zerosP = zeros(seriesP, steps), zerosQ = zeros(seriesQ, steps);
        if (!interlace(zerosP, zerosQ)) continue;
        LineSpectralCosines pairs{};
        for (int i = 0; i < half; ++i) {
            pairs[2 * i] = zerosP[i];
            pairs[2 * i + 1] = zerosQ[i];
        }
        return pairs;
    }
    return std::nullopt;
}

LpcCoefficients lpcFromLineSpectralPairs(const LineSpectralCosines& pairs) {
    const auto p = productOfFactors(pairs, 0), q = productOfFactors(pairs, 1);
    // P = P'(1 + z^-1), Q = Q'(1 - z^-1), A = (P + Q) / 2.
    LpcCoefficients lpc{};
    for (int k = 1; k <= lpcOrder; ++k)
        lpc[k - 1] = 0.5 * ((p[k] + p[k - 1]) + (q[k] - q[k - 1]));
    return lpc;
}

} // namespace cw
