#include "shared/g726.hpp"

#include <algorithm>
#include <bit>

// Numbers are kept in the Recommendation's unsigned fixed-point words (two's complement where
// signed), and every block masks its result to the word width the Recommendation gives, so
// the coder is bit-exact with the conformance sequences.

namespace suite {

namespace {

// Per code width: quantiser decision levels on the normalised log difference DLN (|I| is the
// number of levels at or below DLN), and by |I| the inverse quantiser output DQLN, the
// scale-factor multiplier W(I) and the speed-control function F(I).
struct RateTables {
    int levels;
    std::array<int, 7> decision;
    std::array<int, 8> dqln;
    std::array<int, 8> w;
    std::array<int, 8> f;
};

constexpr RateTables tables32k = {
    7,
    {-124, 80, 178, 246, 300, 349, 400},
    {-2048, 4, 135, 213, 273, 323, 373, 425},
    {-12, 18, 41, 64, 112, 198, 355, 1122},
    {0, 0, 0, 1, 1, 1, 3, 7},
};

constexpr RateTables tables16k = {
    1,
    {261},
    {116, 365},
    {-22, 439},
    {0, 7},
};

const RateTables& tablesFor(G726CodeWidth width) {
    return width == G726CodeWidth::twoBits ? tables16k : tables32k;
}

// The sign and magnitude index of a code word. The sign is the code's top bit; a negative
// magnitude is stored as its one's complement.
struct CodeParts {
    unsigned sign;
    int magnitude;
};

CodeParts splitCode(unsigned code, G726CodeWidth width) {
    const unsigned bits = static_cast<unsigned>(width);
    const unsigned mask = (1u << bits) - 1;
    code &= mask;
    const unsigned sign = code >> (bits - 1);
    const int magnitude = static_cast<int>(sign ? mask - code : code);
    return {sign, magnitude};
}

unsigned joinCode(unsigned sign, int magnitude, G726CodeWidth width) {
    const unsigned mask = (1u << static_cast<unsigned>(width)) - 1;
    // At 32 kbit/s the all-zero word is never sent: the smallest positive interval shares
    // the word of the smallest negative one (both reconstruct as zero).
    if (width == G726CodeWidth::fourBits && magnitude == 0) return mask;
    return sign ? mask - static_cast<unsigned>(magnitude) : static_cast<unsigned>(magnitude);
}

// Value of a 16-bit two's complement word.
int signed16(std::uint32_t word) {
    return static_cast<int>(word & 0xFFFF) - ((word & 0x8000) ? 0x10000 : 0);
}

int bitLength(std::uint32_t value) { return static_cast<int>(std::bit_width(value)); }

// FMULT: product of a 16-bit coefficient and an 11-bit float signal, as a 16-bit word.
std::uint32_t fmult(std::uint32_t an, std::uint32_t srn) {
    const std::uint32_t anS = (an >> 15) & 1;
    const std::uint32_t anMag = anS ? (16384 - (an >> 2)) & 8191 : an >> 2;
    const int anExp = bitLength(anMag);
    const std::uint32_t anMant = anMag ? (anMag << 6) >> anExp : 1u << 5;

    const std::uint32_t srnS = srn >> 10;
    const int srnExp = static_cast<int>((srn >> 6) & 15);
    const std::uint32_t srnMant = srn & 63;

    const std::uint32_t wanS = srnS ^ anS;
    const int wanExp = srnExp + anExp;
    const std::uint32_t wanMant = (srnMant * anMant + 48) >> 4;
    const std::uint32_t wanMag = wanExp <= 26 ? (wanMant << 7) >> (26 - wanExp)
                                              : ((wanMant << 7) << (wanExp - 26)) & 32767;
    return wanS ? (65536 - wanMag) & 65535 : wanMag;
}

// FLOATA / FLOATB: a sign and a 15-bit magnitude as the 11-bit float of the predictor
// memories (sign, 4-bit exponent, 6-bit mantissa; zero has mantissa 32).
std::uint32_t toFloat(std::uint32_t sign, std::uint32_t magnitude) {
    const int exp = bitLength(magnitude);
    const std::uint32_t mant = magnitude ? (magnitude << 6) >> exp : 1u << 5;
    return (sign << 10) + (static_cast<std::uint32_t>(exp) << 6) + mant;
}

struct Prediction {
    int se;  // signal estimate, 15-bit two's complement value
    int sez; // its zero-section part
};

// FMULT and ACCUM over the stored coefficients and signals.
Prediction predict(const G726State& s) {
    std::uint32_t sezi = 0;
    for (int i = 0; i < 6; ++i) sezi += fmult(s.b[i], s.dq[i]);
    sezi &= 65535;
    const std::uint32_t sei = (sezi + fmult(s.a[1], s.sr[1]) + fmult(s.a[0], s.sr[0])) & 65535;
    return {signed16(sei) >> 1, signed16(sezi) >> 1};
}

// LIMA and MIX: the quantiser scale factor y, 13 bits.
int scaleFactor(const G726State& s) {
    const std::uint32_t al = s.ap >= 256 ? 64 : s.ap >> 2;
    const std::uint32_t dif = (s.yu + 16384 - (s.yl >> 6)) & 16383;
    const std::uint32_t difS = dif >> 13;
    const std::uint32_t difM = difS ? (16384 - dif) & 8191 : dif;
    const std::uint32_t prodM = (difM * al) >> 6;
    const std::uint32_t prod = difS ? (16384 - prodM) & 16383 : prodM;
    return static_cast<int>(((s.yl >> 6) + prod) & 8191);
}

// UPA2 and LIMC: the new a2, limited to ±0.75.
std::uint32_t updateA2(const G726State& s, std::uint32_t pk0, bool sigpk) {
    const std::uint32_t a1 = s.a[0];
    const std::uint32_t a2 = s.a[1];
    const std::uint32_t pks1 = pk0 ^ s.pk[0];
    const std::uint32_t pks2 = pk0 ^ s.pk[1];
    const std::uint32_t uga2a = pks2 ? 114688 : 16384;
    // f(a1) = 4 a1 when |a1| <= 1/2, else 2 sgn(a1); 17-bit two's complement.
    std::uint32_t fa1;
    if (a1 >> 15) {
        fa1 = a1 >= 57345 ? (a1 << 2) & 131071 : 24577u << 2;
    } else {
        fa1 = a1 <= 8191 ? a1 << 2 : 8191u << 2;
    }
    const std::uint32_t fa = pks1 ? fa1 : (131072 - fa1) & 131071;
    const std::uint32_t uga2b = (uga2a + fa) & 131071;
    std::uint32_t uga2 = 0;
    if (!sigpk) uga2 = (uga2b >> 16) ? (uga2b >> 7) + 64512 : uga2b >> 7;
    const std::uint32_t ula2 =
        (a2 >> 15) ? (65536 - ((a2 >> 7) + 65024)) & 65535 : (65536 - (a2 >> 7)) & 65535;
    const std::uint32_t a2t = (a2 + ((uga2 + ula2) & 65535)) & 65535;
    if (a2t >= 32768 && a2t <= 53247) return 53248;
    if (a2t >= 12289 && a2t <= 32767) return 12288;
    return a2t;
}

// UPA1 and LIMD: the new a1, limited to ±(1 - 2^-4 - a2).
std::uint32_t updateA1(const G726State& s, std::uint32_t pk0, bool sigpk, std::uint32_t a2p) {
    const std::uint32_t a1 = s.a[0];
    const std::uint32_t pks = pk0 ^ s.pk[0];
    const std::uint32_t uga1 = sigpk ? 0 : (pks ? 65344 : 192);
    const std::uint32_t ula1 =
        (a1 >> 15) ? (65536 - ((a1 >> 8) + 65280)) & 65535 : (65536 - (a1 >> 8)) & 65535;
    const std::uint32_t a1t = (a1 + ((uga1 + ula1) & 65535)) & 65535;
    const int limit = 15360 - signed16(a2p);
    const int a1p = std::clamp(signed16(a1t), -limit, limit);
    return static_cast<std::uint32_t>(a1p) & 65535;
}

// XOR and UPB: the new zero coefficient bn.
std::uint32_t updateB(std::uint32_t bn, std::uint32_t dqn, std::uint32_t dqs,
                      std::uint32_t dqMag) {
    const std::uint32_t un = dqs ^ (dqn >> 10);
    const std::uint32_t ugbn = dqMag == 0 ? 0 : (un ? 65408 : 128);
    const std::uint32_t ulbn =
        (bn >> 15) ? (65536 - ((bn >> 8) + 65280)) & 65535 : (65536 - (bn >> 8)) & 65535;
    return (bn + ((ugbn + ulbn) & 65535)) & 65535;
}

// TRANS: a transition from a tone, which resets the predictor and speeds up adaptation.
bool transitionDetected(const G726State& s, std::uint32_t dqMag) {
    const std::uint32_t ylInt = s.yl >> 15;
    const std::uint32_t ylFrac = (s.yl >> 10) & 31;
    const std::uint32_t thr1 = (32 + ylFrac) << ylInt;
    const std::uint32_t thr2 = ylInt > 9 ? 31u << 10 : thr1;
    const std::uint32_t dqThr = (thr2 + (thr2 >> 1)) >> 1;
    return s.td == 1 && dqMag > dqThr;
}

// Everything after the quantiser, shared by encoder and decoder: inverse quantiser,
// reconstruction, and the adaptation of every state variable. Returns the reconstructed
// signal.
int reconstructAndAdapt(G726State& s, unsigned code, G726CodeWidth width, Prediction p, int y) {
    const RateTables& t = tablesFor(width);
    const CodeParts parts = splitCode(code, width);

    // RECONST, ADDA, ANTILOG: the quantised difference dq in sign-magnitude.
    const std::uint32_t dql = static_cast<std::uint32_t>(t.dqln[parts.magnitude] + (y >> 2)) & 4095;
    std::uint32_t dqMag = 0;
    if (!(dql >> 11)) {
        const int dex = static_cast<int>((dql >> 7) & 15);
        const std::uint32_t dqt = 128 + (dql & 127);
        dqMag = dex <= 14 ? (dqt << 7) >> (14 - dex) : ((dqt << 7) << (dex - 14)) & 32767;
    }
    const std::uint32_t dqs = parts.sign;
    const int dq = dqs ? -static_cast<int>(dqMag) : static_cast<int>(dqMag);

    // ADDB, ADDC: reconstructed signal and the sign of dq + sez.
    const std::uint32_t srWord = static_cast<std::uint32_t>(p.se + dq) & 65535;
    const std::uint32_t dqsez = static_cast<std::uint32_t>(p.sez + dq) & 65535;
    const std::uint32_t pk0 = dqsez >> 15;
    const bool sigpk = dqsez == 0;

    // FUNCTW, FILTD, LIMB, FILTE: scale-factor adaptation.
    const int dif = t.w[parts.magnitude] * 32 - y;
    const int yut = (y + (dif >> 5)) & 8191;
    const std::uint32_t yup = static_cast<std::uint32_t>(std::clamp(yut, 544, 5120));
    const std::uint32_t ylDif = (yup + ((1048576 - s.yl) >> 6)) & 16383;
    const std::uint32_t ylp = (s.yl + ((ylDif >> 13) ? ylDif + 507904 : ylDif)) & 524287;

    // FUNCTF, FILTA, FILTB: short- and long-term averages of F(I).
    const std::uint32_t fi = static_cast<std::uint32_t>(t.f[parts.magnitude]);
    const std::uint32_t msDif = ((fi << 9) + 8192 - s.dms) & 8191;
    const std::uint32_t dmsp = ((msDif >> 12 ? (msDif >> 5) + 3840 : msDif >> 5) + s.dms) & 4095;
    const std::uint32_t mlDif = ((fi << 11) + 32768 - s.dml) & 32767;
    const std::uint32_t dmlp = ((mlDif >> 14 ? (mlDif >> 7) + 16128 : mlDif >> 7) + s.dml) & 16383;

    // Predictor coefficients, tone and transition detection (TONE, TRANS, TRIGB).
    const std::uint32_t a2p = updateA2(s, pk0, sigpk);
    const std::uint32_t a1p = updateA1(s, pk0, sigpk, a2p);
    std::array<std::uint32_t, 6> bp;
    for (int i = 0; i < 6; ++i) bp[i] = updateB(s.b[i], s.dq[i], dqs, dqMag);
    const std::uint32_t tdp = (a2p >= 32768 && a2p < 53760) ? 1 : 0;
    const bool tr = transitionDetected(s, dqMag);

    // SUBTC, FILTC: adaptation speed control.
    const std::uint32_t sDif = ((dmsp << 2) + 32768 - dmlp) & 32767;
    const std::uint32_t sDifM = (sDif >> 14) ? (32768 - sDif) & 16383 : sDif;
    const std::uint32_t ax = (y >= 1536 && sDifM < (dmlp >> 3) && tdp == 0) ? 0 : 1;
    const std::uint32_t cDif = ((ax << 9) + 2048 - s.ap) & 2047;
    const std::uint32_t app = ((cDif >> 10 ? (cDif >> 4) + 896 : cDif >> 4) + s.ap) & 1023;

    // Delays: the new state for the next sample.
    const std::uint32_t srS = srWord >> 15;
    const std::uint32_t srMag = srS ? (65536 - srWord) & 32767 : srWord;
    for (int i = 5; i > 0; --i) s.dq[i] = s.dq[i - 1];
    s.dq[0] = toFloat(dqs, dqMag);
    s.sr[1] = s.sr[0];
    s.sr[0] = toFloat(srS, srMag);
    s.pk[1] = s.pk[0];
    s.pk[0] = pk0;
    s.yu = yup;
    s.yl = ylp;
    s.dms = dmsp;
    s.dml = dmlp;
    if (tr) {
        s.a = {};
        s.b = {};
        s.ap = 256;
        s.td = 0;
    } else {
        s.a = {a1p, a2p};
        s.b = bp;
        s.ap = app;
        s.td = tdp;
    }
    return signed16(srWord);
}

} // namespace

void g726Reset(G726State& state) { state = G726State{}; }

int g726ScaleFactor(const G726State& state) { return scaleFactor(state); }

unsigned g726Encode(G726State& state, int linear, G726CodeWidth width) {
    const Prediction p = predict(state);
    const int y = scaleFactor(state);

    // SUBTA, LOG, SUBTB, QUAN.
    const int d = linear - p.se;
    const unsigned ds = d < 0 ? 1 : 0;
    const std::uint32_t dqm = static_cast<std::uint32_t>(d < 0 ? -d : d) & 32767;
    const int exp = dqm ? bitLength(dqm) - 1 : 0;
    const int mant = static_cast<int>(((dqm << 7) >> exp) & 127);
    const int dln = (exp << 7) + mant - (y >> 2);

    const RateTables& t = tablesFor(width);
    int magnitude = 0;
    while (magnitude < t.levels && dln >= t.decision[magnitude]) ++magnitude;

    const unsigned code = joinCode(ds, magnitude, width);
    reconstructAndAdapt(state, code, width, p, y);
    return code;
}

int g726Decode(G726State& state, unsigned code, G726CodeWidth width) {
    const Prediction p = predict(state);
    const int y = scaleFactor(state);
    return reconstructAndAdapt(state, code, width, p, y);
}

} // namespace suite
