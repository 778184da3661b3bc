// The fixed-size 128-point transforms with eight-double vectors (AVX-512): each 8 x 8
// pass runs down all eight columns at once, with an in-register transpose between
// the passes. Lane for lane the arithmetic of real_fft_128.cpp, so the results are
// the same bit for bit.
#include "dsp/real_fft_128.h"

#include "dsp/fft8.h"
#include "dsp/simd.h"
#include "dsp/vector4.h"

#if CORVALE_HAS_TARGETS

namespace {
using fft8detail::fft8;

#define CORVALE_SHUFFLE8(a, b, ...) __builtin_shufflevector((a), (b), __VA_ARGS__)

// rows[i] lane j -> rows[j] lane i.
CORVALE_INLINE void transpose8(V8 (&m)[8]) noexcept
{
    V8 t[8], u[8];
    for (int a = 0; a < 8; a += 2)
    {
        t[a] = CORVALE_SHUFFLE8(m[a], m[a + 1], 0, 8, 2, 10, 4, 12, 6, 14);
        t[a + 1] = CORVALE_SHUFFLE8(m[a], m[a + 1], 1, 9, 3, 11, 5, 13, 7, 15);
    }
    for (int a = 0; a < 8; a += 4)
    {
        u[a] = CORVALE_SHUFFLE8(t[a], t[a + 2], 0, 1, 8, 9, 4, 5, 12, 13);
        u[a + 2] = CORVALE_SHUFFLE8(t[a], t[a + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        u[a + 1] = CORVALE_SHUFFLE8(t[a + 1], t[a + 3], 0, 1, 8, 9, 4, 5, 12, 13);
        u[a + 3] = CORVALE_SHUFFLE8(t[a + 1], t[a + 3], 2, 3, 10, 11, 6, 7, 14, 15);
    }
    for (int a = 0; a < 4; ++a)
    {
        m[a] = CORVALE_SHUFFLE8(u[a], u[a + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        m[a + 4] = CORVALE_SHUFFLE8(u[a], u[a + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

// The 64-point FFT of r/i (row n1 holds z[8*n1 + n2] in lane n2): column FFTs, the
// twiddles exp(sign*2*pi*i*n2*k1/64), a transpose and the column FFTs again; row k2
// then holds bins 8*k2 .. 8*k2 + 7.
template <int kSign, bool kUpperZero>
CORVALE_INLINE void complex64(V8 (&r)[8], V8 (&i)[8], const double* twRe,
                              const double* twIm) noexcept
{
    fft8<kSign, kUpperZero>(r, i);
    for (int k1 = 1; k1 < 8; ++k1)
    {
        const V8 wr = CORVALE_LOADV(V8, twRe + 8 * k1), wi = CORVALE_LOADV(V8, twIm + 8 * k1);
        const V8 pr = r[k1] * wr - i[k1] * wi;
        const V8 pi = r[k1] * wi + i[k1] * wr;
        r[k1] = pr;
        i[k1] = pi;
    }
    transpose8(r);
    transpose8(i);
    fft8<kSign, false>(r, i);
}

#define CORVALE_REVERSED8(v) __builtin_shufflevector((v), (v), 7, 6, 5, 4, 3, 2, 1, 0)
// Lanes 1..7 of a then lane 0 of b, and lane 7 of a then lanes 0..6 of b: as in
// real_fft_128.cpp, the split steps keep every load and store on whole groups.
#define CORVALE_SHIFT1_8(a, b) CORVALE_SHUFFLE8(a, b, 1, 2, 3, 4, 5, 6, 7, 8)
#define CORVALE_SHIFT7_8(a, b) CORVALE_SHUFFLE8(a, b, 7, 8, 9, 10, 11, 12, 13, 14)

} // namespace

CORVALE_TARGET_V4
void forwardReal128Wide(const double* x, int count, const RealFft128Tables& t, double* outRe,
                        double* outIm) noexcept
{
    constexpr int M = 64;
    V8 r[8], i[8];
    const int rows = count <= M ? 4 : 8;
    for (int n1 = 0; n1 < rows; ++n1)
    {
        const V8 p = CORVALE_LOADV(V8, x + 16 * n1), q = CORVALE_LOADV(V8, x + 16 * n1 + 8);
        r[n1] = CORVALE_SHUFFLE8(p, q, 0, 2, 4, 6, 8, 10, 12, 14);
        i[n1] = CORVALE_SHUFFLE8(p, q, 1, 3, 5, 7, 9, 11, 13, 15);
    }
    for (int n1 = rows; n1 < 8; ++n1)
        r[n1] = i[n1] = V8 {};
    if (count <= M)
        complex64<-1, true>(r, i, t.passRe, t.passIm);
    else
        complex64<-1, false>(r, i, t.passRe, t.passIm);
    alignas(64) double zr[M];
    alignas(64) double zi[M];
    for (int k2 = 0; k2 < 8; ++k2)
    {
        CORVALE_STOREV(V8, zr + 8 * k2, r[k2]);
        CORVALE_STOREV(V8, zi + 8 * k2, i[k2]);
    }

    // k = 0 with Z[M] = Z[0]: the real DC value, and the real Nyquist value packed into Im.
    double dc, nyquist;
    {
        const double ar = zr[0], ai = zi[0];
        const double dr = 0.0, di = ai + ai, er = ar + ar;
        dc = 0.5 * (er + t.lowIm[0] * dr + t.lowRe[0] * di);
        nyquist = 0.5 * (er - t.highIm[0] * dr + t.highRe[0] * di);
    }
    // The split step of real_fft_128.cpp for k = 8g+1 .. 8g+8.
    const V8 half = V8 {} + 0.5;
    V8 lastRe = V8 {}, lastIm = V8 {};
    lastRe[7] = dc;
    lastIm[7] = nyquist;
    V8 nextZr = CORVALE_LOADV(V8, zr), nextZi = CORVALE_LOADV(V8, zi);
    for (int g = 0; g < 4; ++g)
    {
        const int k = 8 * g + 1;
        const V8 groupZr = nextZr, groupZi = nextZi;
        nextZr = CORVALE_LOADV(V8, zr + k + 7);
        nextZi = CORVALE_LOADV(V8, zi + k + 7);
        const V8 ar = CORVALE_SHIFT1_8(groupZr, nextZr), ai = CORVALE_SHIFT1_8(groupZi, nextZi);
        const V8 br = CORVALE_REVERSED8(CORVALE_LOADV(V8, zr + M - k - 7));
        const V8 bi = CORVALE_REVERSED8(CORVALE_LOADV(V8, zi + M - k - 7));
        const V8 w1r = CORVALE_LOADV(V8, t.lowRe + k), w1i = CORVALE_LOADV(V8, t.lowIm + k);
        const V8 w2r = CORVALE_LOADV(V8, t.highRe + k), w2i = CORVALE_LOADV(V8, t.highIm + k);
        const V8 dr = ar - br, di = ai + bi;
        const V8 er = ar + br, ei = ai - bi;
        const V8 lowRe = half * (er + w1i * dr + w1r * di),
                 lowIm = half * (ei + w1i * di - w1r * dr);
        CORVALE_STOREV(V8, outRe + k - 1, CORVALE_SHIFT7_8(lastRe, lowRe));
        CORVALE_STOREV(V8, outIm + k - 1, CORVALE_SHIFT7_8(lastIm, lowIm));
        lastRe = lowRe;
        lastIm = lowIm;
        CORVALE_STOREV(V8, outRe + M - k - 7, CORVALE_REVERSED8(half * (er - w2i * dr + w2r * di)));
        CORVALE_STOREV(V8, outIm + M - k - 7,
                       CORVALE_REVERSED8(half * (-ei + w2i * di + w2r * dr)));
    }
}

CORVALE_TARGET_V4
void inverseReal128Wide(const double* inRe, const double* inIm, const RealFft128Tables& t,
                        double scale, bool overlapAdd, double* out) noexcept
{
    constexpr int M = 64;
    alignas(64) double zr[M];
    alignas(64) double zi[M];
    double z0r, z0i;
    {
        const double ar = inRe[0], ai = inIm[0], br = inRe[M], bi = inIm[M];
        const double dr = ar - br, di = ai + bi;
        const double er = ar + br, ei = ai - bi;
        z0r = 0.5 * (er + t.lowIm[0] * dr - t.lowRe[0] * di);
        z0i = 0.5 * (ei + t.lowIm[0] * di + t.lowRe[0] * dr);
    }
    // The inverse split step of real_fft_128.cpp for k = 8g+1 .. 8g+8.
    const V8 half = V8 {} + 0.5;
    V8 lastRe = V8 {}, lastIm = V8 {};
    lastRe[7] = z0r;
    lastIm[7] = z0i;
    V8 nextXr = CORVALE_LOADV(V8, inRe), nextXi = CORVALE_LOADV(V8, inIm);
    for (int g = 0; g < 4; ++g)
    {
        const int k = 8 * g + 1;
        const V8 groupXr = nextXr, groupXi = nextXi;
        nextXr = CORVALE_LOADV(V8, inRe + k + 7);
        nextXi = CORVALE_LOADV(V8, inIm + k + 7);
        const V8 ar = CORVALE_SHIFT1_8(groupXr, nextXr), ai = CORVALE_SHIFT1_8(groupXi, nextXi);
        const V8 br = CORVALE_REVERSED8(CORVALE_LOADV(V8, inRe + M - k - 7));
        const V8 bi = CORVALE_REVERSED8(CORVALE_LOADV(V8, inIm + M - k - 7));
        const V8 w1r = CORVALE_LOADV(V8, t.lowRe + k), w1i = CORVALE_LOADV(V8, t.lowIm + k);
        const V8 w2r = CORVALE_LOADV(V8, t.highRe + k), w2i = CORVALE_LOADV(V8, t.highIm + k);
        const V8 dr = ar - br, di = ai + bi;
        const V8 er = ar + br, ei = ai - bi;
        const V8 lowRe = half * (er + w1i * dr - w1r * di),
                 lowIm = half * (ei + w1i * di + w1r * dr);
        CORVALE_STOREV(V8, zr + k - 1, CORVALE_SHIFT7_8(lastRe, lowRe));
        CORVALE_STOREV(V8, zi + k - 1, CORVALE_SHIFT7_8(lastIm, lowIm));
        lastRe = lowRe;
        lastIm = lowIm;
        CORVALE_STOREV(V8, zr + M - k - 7, CORVALE_REVERSED8(half * (er - w2i * dr - w2r * di)));
        CORVALE_STOREV(V8, zi + M - k - 7, CORVALE_REVERSED8(half * (-ei + w2i * di - w2r * dr)));
    }

    V8 r[8], i[8];
    for (int n1 = 0; n1 < 8; ++n1)
    {
        r[n1] = CORVALE_LOADV(V8, zr + 8 * n1);
        i[n1] = CORVALE_LOADV(V8, zi + 8 * n1);
    }
    complex64<+1, false>(r, i, t.passRe, t.passIm);
    // out[2n] = 2 Re z[n] * scale, out[2n+1] = 2 Im z[n] * scale. Rows k2 and k2 + 4 are 64
    // outputs apart: with overlapAdd each lower row reads the previous value of the upper
    // one before that is overwritten.
    const V8 s = V8 {} + 2.0 * scale;
    for (int k2 = 0; k2 < 8; ++k2)
    {
        const V8 sr = r[k2] * s, si = i[k2] * s;
        double* o = out + 16 * k2;
        V8 first = CORVALE_SHUFFLE8(sr, si, 0, 8, 1, 9, 2, 10, 3, 11);
        V8 second = CORVALE_SHUFFLE8(sr, si, 4, 12, 5, 13, 6, 14, 7, 15);
        if (overlapAdd && k2 < 4)
        {
            first += CORVALE_LOADV(V8, o + 64);
            second += CORVALE_LOADV(V8, o + 72);
        }
        CORVALE_STOREV(V8, o, first);
        CORVALE_STOREV(V8, o + 8, second);
    }
}

#endif
