// ARFFT: forward real transform through one complex FFT of N/2 points and a split step.
#include "dsp/real_fft.h"

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

void ARFFT::forwardPacked(const double* x, int count, double* outRe, double* outIm) noexcept
{
    double* re = m_workRe.data();
    double* im = m_workIm.data();
    const bool upperZero = count <= m_M && m_M >= 2;
    const int pairs = count / 2;
    for (int n = 0; n < pairs; ++n)
    {
        re[n] = x[2 * n];
        im[n] = x[2 * n + 1];
    }
    if (!upperZero)
    {
        for (int n = pairs; n < m_M; ++n)
            re[n] = im[n] = 0.0;
    }
    difSplit(re, im, upperZero);

    // Split step on the bit-reversed result Z, with Z[M] = Z[0]. Written out in real
    // arithmetic: W*i*(A - conj B) = (-wi*Dr - wr*Di, wr*Dr - wi*Di).
    const int32_t* rev = m_bitReverse.data();
    const Complex* W = m_twiddleTable.data();
    for (int k = 0; k <= m_M / 2; ++k)
    {
        const int ia = rev[k];
        const int ib = (k == 0) ? rev[0] : rev[m_M - k];
        const double ar = re[ia], ai = im[ia], br = re[ib], bi = im[ib];
        const double dr = ar - br, di = ai + bi;
        const double er = ar + br, ei = ai - bi;
        const double w1r = W[k].real(), w1i = W[k].imag();
        const double w2r = W[m_M - k].real(), w2i = W[m_M - k].imag();
        const double kRe = 0.5 * (er + w1i * dr + w1r * di);
        const double kIm = 0.5 * (ei + w1i * di - w1r * dr);
        const double mRe = 0.5 * (er - w2i * dr + w2r * di);
        const double mIm = 0.5 * (-ei + w2i * di + w2r * dr);
        if (k == 0)
        {
            // Bin 0 carries the real DC value and the real Nyquist value (bin M).
            outRe[0] = kRe;
            outIm[0] = mRe;
            continue;
        }
        outRe[k] = kRe;
        outIm[k] = kIm;
        outRe[m_M - k] = mRe;
        outIm[m_M - k] = mIm;
    }
}
