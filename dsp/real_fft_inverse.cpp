// BRFFT: inverse real transform through a split step and one complex FFT of N/2 points.
#include "dsp/real_fft.h"

BRFFT::BRFFT(int N)
    : RFFT(N)
{
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

void BRFFT::inversePacked(const double* inRe, const double* inIm, double* out, double scale) noexcept
{
    double* re = m_workRe.data();
    double* im = m_workIm.data();
    const Complex* W = m_twiddleTable.data();
    // conj(W)*i*(A - conj B) = (wi*Dr - wr*Di, wi*Di + wr*Dr) in real arithmetic.
    for (int k = 0; k <= m_M / 2; ++k)
    {
        const double ar = inRe[k], ai = inIm[k];
        const double br = inRe[m_M - k], bi = inIm[m_M - k];
        const double dr = ar - br, di = ai + bi;
        const double er = ar + br, ei = ai - bi;
        const double w1r = W[k].real(), w1i = W[k].imag();
        const double w2r = W[m_M - k].real(), w2i = W[m_M - k].imag();
        re[k] = 0.5 * (er + w1i * dr - w1r * di);
        im[k] = 0.5 * (ei + w1i * di + w1r * dr);
        if (k != 0)
        {
            // At k = M/2 this overwrites entry k with the same value by the mirrored formula.
            re[m_M - k] = 0.5 * (er - w2i * dr - w2r * di);
            im[m_M - k] = 0.5 * (-ei + w2i * di - w2r * dr);
        }
    }
    difSplit(re, im, false);
    const int32_t* rev = m_bitReverse.data();
    for (int n = 0; n < m_M; ++n)
    {
        const int r = rev[n];
        out[2 * n] = (2.0 * re[r]) * scale;
        out[2 * n + 1] = (2.0 * im[r]) * scale;
    }
}
