// Fixed-size 128-point real transforms: the 8 x 8 complex FFT and the split steps.
#include "dsp/real_fft_128.h"

#include "dsp/fft8.h"
#include "dsp/simd.h"
#include "dsp/vector4.h"

namespace
{
using fft8detail::fft8;

// Transposes the 4 x 4 block rows[0..3] (one V4 each) into cols[0..3].
CORVALE_INLINE void transpose4(const V4& a, const V4& b, const V4& c, const V4& d, V4* cols) noexcept
{
    const V4 t0 = __builtin_shufflevector(a, b, 0, 4, 2, 6), t1 = __builtin_shufflevector(a, b, 1, 5, 3, 7);
    const V4 t2 = __builtin_shufflevector(c, d, 0, 4, 2, 6), t3 = __builtin_shufflevector(c, d, 1, 5, 3, 7);
    cols[0] = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    cols[1] = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    cols[2] = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    cols[3] = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}

// First half of the 64-point FFT for columns c..c+3 (rows already in r/i): the column
// FFTs, then row k1 times exp(sign*2*pi*i*n2*k1/64), stored to the 8 x 8 work arrays.
template <int kSign, bool kUpperZero>
CORVALE_INLINE void firstPass(V4 (&r)[8], V4 (&i)[8], int c, const double* twRe, const double* twIm,
                              double* workRe, double* workIm) noexcept
{
    fft8<kSign, kUpperZero>(r, i);
    CORVALE_STORE4(workRe + c, r[0]);
    CORVALE_STORE4(workIm + c, i[0]);
    for (int k1 = 1; k1 < 8; ++k1)
    {
        const V4 wr = CORVALE_LOAD4(twRe + 8 * k1 + c), wi = CORVALE_LOAD4(twIm + 8 * k1 + c);
        CORVALE_STORE4(workRe + 8 * k1 + c, r[k1] * wr - i[k1] * wi);
        CORVALE_STORE4(workIm + 8 * k1 + c, r[k1] * wi + i[k1] * wr);
    }
}

// Second half for k1 = c..c+3: the transposed rows n2 = 0..7 of the work arrays, then the
// column FFTs; row k2 of r/i holds bins 8*k2 + c .. 8*k2 + c + 3.
template <int kSign>
CORVALE_INLINE void secondPass(const double* workRe, const double* workIm, int c, V4 (&r)[8], V4 (&i)[8]) noexcept
{
    for (int n2 = 0; n2 < 8; n2 += 4)
    {
        const double* re = workRe + 8 * c + n2;
        const double* im = workIm + 8 * c + n2;
        transpose4(CORVALE_LOAD4(re), CORVALE_LOAD4(re + 8), CORVALE_LOAD4(re + 16), CORVALE_LOAD4(re + 24), r + n2);
        transpose4(CORVALE_LOAD4(im), CORVALE_LOAD4(im + 8), CORVALE_LOAD4(im + 16), CORVALE_LOAD4(im + 24), i + n2);
    }
    fft8<kSign, false>(r, i);
}

// Forward 64-point FFT of the real input read as pairs (z[n] = x[2n] + i*x[2n+1]) into
// zr/zi in natural order. kUpperZero: x[64..127] are zero.
template <bool kUpperZero>
CORVALE_INLINE void forwardComplex(const double* x, const double* twRe, const double* twIm, double* zr,
                                   double* zi) noexcept
{
    alignas(32) double workRe[64];
    alignas(32) double workIm[64];
    const int rows = kUpperZero ? 4 : 8;
    for (int c = 0; c < 8; c += 4)
    {
        V4 r[8], i[8];
        for (int n1 = 0; n1 < rows; ++n1)
        {
            const V4 p = CORVALE_LOAD4(x + 16 * n1 + 2 * c), q = CORVALE_LOAD4(x + 16 * n1 + 2 * c + 4);
            r[n1] = __builtin_shufflevector(p, q, 0, 2, 4, 6);
            i[n1] = __builtin_shufflevector(p, q, 1, 3, 5, 7);
        }
        for (int n1 = rows; n1 < 8; ++n1)
            r[n1] = i[n1] = V4{};
        firstPass<-1, kUpperZero>(r, i, c, twRe, twIm, workRe, workIm);
    }
    for (int c = 0; c < 8; c += 4)
    {
        V4 r[8], i[8];
        secondPass<-1>(workRe, workIm, c, r, i);
        for (int k2 = 0; k2 < 8; ++k2)
        {
            CORVALE_STORE4(zr + 8 * k2 + c, r[k2]);
            CORVALE_STORE4(zi + 8 * k2 + c, i[k2]);
        }
    }
}

// The four lanes in reverse order.
#define CORVALE_REVERSED(v) __builtin_shufflevector((v), (v), 3, 2, 1, 0)
// Lanes 1..3 of a then lane 0 of b, and lane 3 of a then lanes 0..2 of b. The split steps
// pair bin k with bin M - k, so one side of each pair sits one lane off the groups of four;
// building it from whole groups keeps every load and store on the groups the FFT passes
// (and the partition sums) write and read, which lets the processor forward stored values
// to the loads instead of stalling on loads that straddle two stores.
#define CORVALE_SHIFT1(a, b) __builtin_shufflevector((a), (b), 1, 2, 3, 4)
#define CORVALE_SHIFT3(a, b) __builtin_shufflevector((a), (b), 3, 4, 5, 6)
} // namespace

CORVALE_WIDE_CLONES
void forwardReal128Narrow(const double* x, int count, const RealFft128Tables& t, double* outRe,
                          double* outIm) noexcept
{
    constexpr int M = 64;
    alignas(32) double zr[M];
    alignas(32) double zi[M];
    if (count <= M)
        forwardComplex<true>(x, t.passRe, t.passIm, zr, zi);
    else
        forwardComplex<false>(x, t.passRe, t.passIm, zr, zi);

    // k = 0 with Z[M] = Z[0]: the real DC value, and the real Nyquist value packed into Im.
    double dc, nyquist;
    {
        const double ar = zr[0], ai = zi[0];
        const double dr = 0.0, di = ai + ai, er = ar + ar;
        dc = 0.5 * (er + t.lowIm[0] * dr + t.lowRe[0] * di);
        nyquist = 0.5 * (er - t.highIm[0] * dr + t.highRe[0] * di);
    }
    // Split step for k = 4g+1 .. 4g+4, B = Z[M-k] read backwards:
    //   X[k]   = (A + conj B - W(k)   * i * (A - conj B)) / 2,   A = Z[k], B = Z[M-k]
    //   X[M-k] = (B + conj A - W(M-k) * i * (B - conj A)) / 2
    // k = M/2 is its own mirror: the second formula's value stands. See CORVALE_SHIFT1.
    const V4 half = {0.5, 0.5, 0.5, 0.5};
    V4 lastRe = {0.0, 0.0, 0.0, dc}, lastIm = {0.0, 0.0, 0.0, nyquist};
    V4 nextZr = CORVALE_LOAD4(zr), nextZi = CORVALE_LOAD4(zi);
    for (int g = 0; g < 8; ++g)
    {
        const int k = 4 * g + 1;
        const V4 groupZr = nextZr, groupZi = nextZi;
        nextZr = CORVALE_LOAD4(zr + k + 3);
        nextZi = CORVALE_LOAD4(zi + k + 3);
        const V4 ar = CORVALE_SHIFT1(groupZr, nextZr), ai = CORVALE_SHIFT1(groupZi, nextZi);
        const V4 br = CORVALE_REVERSED(CORVALE_LOAD4(zr + M - k - 3));
        const V4 bi = CORVALE_REVERSED(CORVALE_LOAD4(zi + M - k - 3));
        const V4 w1r = CORVALE_LOAD4(t.lowRe + k), w1i = CORVALE_LOAD4(t.lowIm + k);
        const V4 w2r = CORVALE_LOAD4(t.highRe + k), w2i = CORVALE_LOAD4(t.highIm + k);
        const V4 dr = ar - br, di = ai + bi;
        const V4 er = ar + br, ei = ai - bi;
        const V4 lowRe = half * (er + w1i * dr + w1r * di), lowIm = half * (ei + w1i * di - w1r * dr);
        CORVALE_STORE4(outRe + k - 1, CORVALE_SHIFT3(lastRe, lowRe));
        CORVALE_STORE4(outIm + k - 1, CORVALE_SHIFT3(lastIm, lowIm));
        lastRe = lowRe;
        lastIm = lowIm;
        CORVALE_STORE4(outRe + M - k - 3, CORVALE_REVERSED(half * (er - w2i * dr + w2r * di)));
        CORVALE_STORE4(outIm + M - k - 3, CORVALE_REVERSED(half * (-ei + w2i * di + w2r * dr)));
    }
}

CORVALE_WIDE_CLONES
void inverseReal128Narrow(const double* inRe, const double* inIm, const RealFft128Tables& t, double scale,
                          bool overlapAdd, double* out) noexcept
{
    constexpr int M = 64;
    alignas(32) double zr[M];
    alignas(32) double zi[M];
    // k = 0 pairs X[0] with X[M]; the imaginary parts enter as they are, so a Nyquist value
    // packed into Im X[0] and repeated in Re X[M] cancels.
    double z0r, z0i;
    {
        const double ar = inRe[0], ai = inIm[0], br = inRe[M], bi = inIm[M];
        const double dr = ar - br, di = ai + bi;
        const double er = ar + br, ei = ai - bi;
        z0r = 0.5 * (er + t.lowIm[0] * dr - t.lowRe[0] * di);
        z0i = 0.5 * (ei + t.lowIm[0] * di + t.lowRe[0] * dr);
    }
    // Split step for k = 4g+1 .. 4g+4 as in BRFFT::inverseReal, B = X[M-k] read backwards:
    //   Z[k]   = (A + conj B + conj W(k)   * i * (A - conj B)) / 2,   A = X[k], B = X[M-k]
    //   Z[M-k] = (B + conj A + conj W(M-k) * i * (B - conj A)) / 2
    // k = M/2 is its own mirror: the second formula's value stands.
    const V4 half = {0.5, 0.5, 0.5, 0.5};
    V4 lastRe = {0.0, 0.0, 0.0, z0r}, lastIm = {0.0, 0.0, 0.0, z0i};
    V4 nextXr = CORVALE_LOAD4(inRe), nextXi = CORVALE_LOAD4(inIm);
    for (int g = 0; g < 8; ++g)
    {
        const int k = 4 * g + 1;
        const V4 groupXr = nextXr, groupXi = nextXi;
        nextXr = CORVALE_LOAD4(inRe + k + 3);
        nextXi = CORVALE_LOAD4(inIm + k + 3);
        const V4 ar = CORVALE_SHIFT1(groupXr, nextXr), ai = CORVALE_SHIFT1(groupXi, nextXi);
        const V4 br = CORVALE_REVERSED(CORVALE_LOAD4(inRe + M - k - 3));
        const V4 bi = CORVALE_REVERSED(CORVALE_LOAD4(inIm + M - k - 3));
        const V4 w1r = CORVALE_LOAD4(t.lowRe + k), w1i = CORVALE_LOAD4(t.lowIm + k);
        const V4 w2r = CORVALE_LOAD4(t.highRe + k), w2i = CORVALE_LOAD4(t.highIm + k);
        const V4 dr = ar - br, di = ai + bi;
        const V4 er = ar + br, ei = ai - bi;
        const V4 lowRe = half * (er + w1i * dr - w1r * di), lowIm = half * (ei + w1i * di + w1r * dr);
        CORVALE_STORE4(zr + k - 1, CORVALE_SHIFT3(lastRe, lowRe));
        CORVALE_STORE4(zi + k - 1, CORVALE_SHIFT3(lastIm, lowIm));
        lastRe = lowRe;
        lastIm = lowIm;
        CORVALE_STORE4(zr + M - k - 3, CORVALE_REVERSED(half * (er - w2i * dr - w2r * di)));
        CORVALE_STORE4(zi + M - k - 3, CORVALE_REVERSED(half * (-ei + w2i * di - w2r * dr)));
    }

    alignas(32) double workRe[64];
    alignas(32) double workIm[64];
    for (int c = 0; c < 8; c += 4)
    {
        V4 r[8], i[8];
        for (int n1 = 0; n1 < 8; ++n1)
        {
            r[n1] = CORVALE_LOAD4(zr + 8 * n1 + c);
            i[n1] = CORVALE_LOAD4(zi + 8 * n1 + c);
        }
        firstPass<+1, false>(r, i, c, t.passRe, t.passIm, workRe, workIm);
    }
    // out[2n] = 2 Re z[n] * scale, out[2n+1] = 2 Im z[n] * scale; 2 * scale is exact. Rows
    // k2 and k2 + 4 of one half are 64 outputs apart, so with overlapAdd each lower row reads
    // the previous value of the upper one just before that is overwritten.
    const double twice = 2.0 * scale;
    const V4 s = {twice, twice, twice, twice};
    for (int c = 0; c < 8; c += 4)
    {
        V4 r[8], i[8];
        secondPass<+1>(workRe, workIm, c, r, i);
        for (int k2 = 0; k2 < 8; ++k2)
        {
            const V4 sr = r[k2] * s, si = i[k2] * s;
            double* o = out + 2 * (8 * k2 + c);
            V4 first = __builtin_shufflevector(sr, si, 0, 4, 1, 5), second = __builtin_shufflevector(sr, si, 2, 6, 3, 7);
            if (overlapAdd && k2 < 4)
            {
                first += CORVALE_LOAD4(o + 64);
                second += CORVALE_LOAD4(o + 68);
            }
            CORVALE_STORE4(o, first);
            CORVALE_STORE4(o + 4, second);
        }
    }
}
void forwardReal128(const double* x, int count, const RealFft128Tables& tables, double* re, double* im) noexcept
{
#if CORVALE_HAS_TARGETS
    if (simdLevel() == SimdLevel::kAvx512)
        return forwardReal128Wide(x, count, tables, re, im);
#endif
    forwardReal128Narrow(x, count, tables, re, im);
}

void inverseReal128(const double* re, const double* im, const RealFft128Tables& tables, double scale,
                    bool overlapAdd, double* out) noexcept
{
#if CORVALE_HAS_TARGETS
    if (simdLevel() == SimdLevel::kAvx512)
        return inverseReal128Wide(re, im, tables, scale, overlapAdd, out);
#endif
    inverseReal128Narrow(re, im, tables, scale, overlapAdd, out);
}
