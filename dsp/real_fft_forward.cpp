// ARFFT: forward real transform through one complex FFT of N/2 points and a split step.
#include "dsp/real_fft.h"

#include "dsp/simd.h"

ARFFT::ARFFT(int N)
    : RFFT(N)
{
    m_packedInput.assign(static_cast<size_t>(m_M), Complex(0.0, 0.0));
    planStages(-1);
}

void ARFFT::transform(const Complex* src, int count) noexcept
{
    runTransform(m_spectrumBuffer.data(), src, count, -1);
}

void ARFFT::dump(int start, int count)
{
    dumpBuffer(m_spectrumBuffer, 'F', start, count);
}

void ARFFT::dumpAll()
{
    dump(0, m_N);
}

void ARFFT::forwardReal(const double* x) noexcept
{
    for (int n = 0; n < m_M; ++n)
        m_packedInput[static_cast<size_t>(n)] = Complex(x[2 * n], x[2 * n + 1]);
    transform(m_packedInput.data(), m_M);
    Complex* Z = m_spectrumBuffer.data();
    const Complex* W = m_twiddleTable.data();
    const Complex i(0.0, 1.0);
    Z[m_M] = Z[0];
    for (int k = 0; k <= m_M / 2; ++k)
    {
        const Complex A = Z[k];
        const Complex B = Z[m_M - k];
        Z[k] = 0.5 * (A + std::conj(B) - W[k] * i * (A - std::conj(B)));
        Z[m_M - k] = 0.5 * (B + std::conj(A) - W[m_M - k] * i * (B - std::conj(A)));
    }
    for (int k = 1; k < m_M; ++k)
        Z[m_N - k] = std::conj(Z[k]);
}

namespace
{
// Split step for k = 1..M/2-1 on the natural-order result Z (entries k and M-k):
//   X[k]   = (A + conj B - W(k)   * i * (A - conj B)) / 2,   A = Z[k], B = Z[M-k]
//   X[M-k] = (B + conj A - W(M-k) * i * (B - conj A)) / 2
// written out in real arithmetic: W*i*(A - conj B) = (-wi*Dr - wr*Di, wr*Dr - wi*Di).
CORVALE_HOT_CLONES
void forwardSplit(const double* zr, const double* zi, int M, const double* w1r, const double* w1i,
                  const double* w2r, const double* w2i, double* __restrict outRe,
                  double* __restrict outIm) noexcept
{
    for (int k = 1; k < M / 2; ++k)
    {
        const double ar = zr[k], ai = zi[k], br = zr[M - k], bi = zi[M - k];
        const double dr = ar - br, di = ai + bi;
        const double er = ar + br, ei = ai - bi;
        outRe[k] = 0.5 * (er + w1i[k] * dr + w1r[k] * di);
        outIm[k] = 0.5 * (ei + w1i[k] * di - w1r[k] * dr);
        outRe[M - k] = 0.5 * (er - w2i[k] * dr + w2r[k] * di);
        outIm[M - k] = 0.5 * (-ei + w2i[k] * di + w2r[k] * dr);
    }
}
} // namespace

void ARFFT::forwardPacked(const double* x, int count, double* outRe, double* outIm) noexcept
{
    if (m_fixedSize && (count == m_N || count == m_M))
    {
        forwardReal128(x, count, fixedTables(), outRe, outIm);
        return;
    }
    double* re = m_workRe.data();
    double* im = m_workIm.data();
    const bool upperZero = count <= m_M && m_M >= 8;
    const int given = count / 2;
    for (int n = 0; n < given; ++n)
    {
        re[n] = x[2 * n];
        im[n] = x[2 * n + 1];
    }
    for (int n = given; n < (upperZero ? m_M / 2 : m_M); ++n)
        re[n] = im[n] = 0.0;
    double* zr = m_orderedRe.data();
    double* zi = m_orderedIm.data();
    difSplit(re, im, upperZero, zr, zi);

    // k = 0 (with Z[M] = Z[0]) gives the real DC value and the real Nyquist value,
    // packed into bin 0; k = M/2 is its own mirror, and the second formula's value stands.
    const double* w1r = m_lowRe.data();
    const double* w1i = m_lowIm.data();
    const double* w2r = m_highRe.data();
    const double* w2i = m_highIm.data();
    {
        const double ar = zr[0], ai = zi[0];
        const double dr = 0.0, di = ai + ai;
        const double er = ar + ar;
        outRe[0] = 0.5 * (er + w1i[0] * dr + w1r[0] * di);
        outIm[0] = 0.5 * (er - w2i[0] * dr + w2r[0] * di);
    }
    if (m_M >= 2)
    {
        const int k = m_M / 2;
        const double ar = zr[k], ai = zi[k];
        const double dr = ar - ar, di = ai + ai;
        const double er = ar + ar, ei = ai - ai;
        outRe[k] = 0.5 * (er - w2i[k] * dr + w2r[k] * di);
        outIm[k] = 0.5 * (-ei + w2i[k] * di + w2r[k] * dr);
    }
    forwardSplit(zr, zi, m_M, w1r, w1i, w2r, w2i, outRe, outIm);
}
