// BRFFT: inverse real transform through a split step and one complex FFT of N/2 points.
#include "dsp/real_fft.h"

#include "dsp/simd.h"

#include <algorithm>

BRFFT::BRFFT(int N)
    : RFFT(N)
{
    m_tail.assign(static_cast<size_t>(m_M), 0.0);
    planStages(+1);
}

void BRFFT::transform(const Complex* src, int count) noexcept
{
    runTransform(m_timeBuffer.data(), src, count, +1);
}

void BRFFT::dump(int start, int count)
{
    dumpBuffer(m_timeBuffer, 'f', start, count);
}

void BRFFT::dumpAll()
{
    dump(0, m_N);
}

void BRFFT::inverseReal(Complex* X) noexcept
{
    const Complex* W = m_twiddleTable.data();
    const Complex i(0.0, 1.0);
    // The imaginary parts of X[0] and X[M] enter as they are: a Nyquist value packed
    // into Im X[0] cancels against X[M] here.
    for (int k = 0; k <= m_M / 2; ++k)
    {
        const Complex A = X[k];
        const Complex B = X[m_M - k];
        X[k] = 0.5 * (A + std::conj(B) + std::conj(W[k]) * i * (A - std::conj(B)));
        X[m_M - k] = 0.5 * (B + std::conj(A) + std::conj(W[m_M - k]) * i * (B - std::conj(A)));
    }
    transform(X, m_M);
    Complex* z = m_timeBuffer.data();
    for (int n = m_M - 1; n >= 0; --n)
    {
        const Complex value = z[n];
        z[2 * n + 1] = Complex(2.0 * value.imag(), 0.0);
        z[2 * n] = Complex(2.0 * value.real(), 0.0);
    }
}

namespace
{
// Split step for k = 1..M/2-1 (entries k and M-k of the caller's half spectrum):
//   Z[k]   = (A + conj B + conj W(k)   * i * (A - conj B)) / 2,   A = X[k], B = X[M-k]
//   Z[M-k] = (B + conj A + conj W(M-k) * i * (B - conj A)) / 2
// with conj(W)*i*(A - conj B) = (wi*Dr - wr*Di, wi*Di + wr*Dr).
CORVALE_HOT_CLONES
void inverseSplit(const double* xr, const double* xi, int M, const double* w1r, const double* w1i,
                  const double* w2r, const double* w2i, double* __restrict re, double* __restrict im) noexcept
{
    for (int k = 1; k < M / 2; ++k)
    {
        const double ar = xr[k], ai = xi[k], br = xr[M - k], bi = xi[M - k];
        const double dr = ar - br, di = ai + bi;
        const double er = ar + br, ei = ai - bi;
        re[k] = 0.5 * (er + w1i[k] * dr - w1r[k] * di);
        im[k] = 0.5 * (ei + w1i[k] * di + w1r[k] * dr);
        re[M - k] = 0.5 * (er - w2i[k] * dr - w2r[k] * di);
        im[M - k] = 0.5 * (-ei + w2i[k] * di - w2r[k] * dr);
    }
}

CORVALE_HOT_CLONES
void interleaveScaled(const double* zr, const double* zi, int M, double scale, double* __restrict out) noexcept
{
    for (int n = 0; n < M; ++n)
    {
        out[2 * n] = (2.0 * zr[n]) * scale;
        out[2 * n + 1] = (2.0 * zi[n]) * scale;
    }
}
} // namespace

void BRFFT::inversePacked(const double* inRe, const double* inIm, double* out, double scale) noexcept
{
    if (m_fixedSize)
    {
        inverseReal128(inRe, inIm, fixedTables(), scale, false, out);
        return;
    }
    double* re = m_workRe.data();
    double* im = m_workIm.data();
    const double* w1r = m_lowRe.data();
    const double* w1i = m_lowIm.data();
    const double* w2r = m_highRe.data();
    const double* w2i = m_highIm.data();
    {
        // k = 0 pairs X[0] with X[M]; only entry 0 feeds the complex transform.
        const double ar = inRe[0], ai = inIm[0], br = inRe[m_M], bi = inIm[m_M];
        const double dr = ar - br, di = ai + bi;
        const double er = ar + br, ei = ai - bi;
        re[0] = 0.5 * (er + w1i[0] * dr - w1r[0] * di);
        im[0] = 0.5 * (ei + w1i[0] * di + w1r[0] * dr);
    }
    if (m_M >= 2)
    {
        // k = M/2 is its own mirror; the second formula's value stands.
        const int k = m_M / 2;
        const double ar = inRe[k], ai = inIm[k];
        const double dr = ar - ar, di = ai + ai;
        const double er = ar + ar, ei = ai - ai;
        re[k] = 0.5 * (er - w2i[k] * dr - w2r[k] * di);
        im[k] = 0.5 * (-ei + w2i[k] * di - w2r[k] * dr);
    }
    inverseSplit(inRe, inIm, m_M, w1r, w1i, w2r, w2i, re, im);
    double* zr = m_orderedRe.data();
    double* zi = m_orderedIm.data();
    difSplit(re, im, false, zr, zi);
    interleaveScaled(zr, zi, m_M, scale, out);
}

void BRFFT::inversePackedOverlapAdd(const double* inRe, const double* inIm, double* out, double scale) noexcept
{
    if (m_fixedSize)
    {
        inverseReal128(inRe, inIm, fixedTables(), scale, true, out);
        return;
    }
    double* tail = m_tail.data();
    std::copy(out + m_M, out + m_N, tail);
    inversePacked(inRe, inIm, out, scale);
    for (int i = 0; i < m_M; ++i)
        out[i] += tail[i];
}
