// CSpectralDelayLine: per-bin reference and block form of the partition sum.
#include "dsp/spectral_delay_line.h"

#include "dsp/simd.h"

#include <cstdint>
#include <cstring>

namespace
{
// Four doubles; GCC lowers it to two SSE2 registers in the baseline clone.
typedef double V4 __attribute__((vector_size(32)));

// Two consecutive blocks' sums in one pass over the spectra, one chunk of four bins
// at a time: the sum at position (partitions 0..P-1, in order) and the next block's
// sum over partitions 1..P-1, whose input blocks are the current one's shifted by
// one. Each stored spectrum is read once for two output blocks.
CORVALE_HOT_CLONES
void sumPairs(const double* input, const double* taps, int chunks, int spectrumSize, int P, int position,
              double* sum, double* next) noexcept
{
    for (int c = 0; c < chunks; ++c)
    {
        const size_t offset = static_cast<size_t>(c) * 8;
        V4 xr, xi, hr, hi, pr, pi, nr = {}, ni = {};
        const double* x = input + static_cast<size_t>(position) * spectrumSize + offset;
        const double* h = taps + offset;
        std::memcpy(&xr, x, sizeof(V4));
        std::memcpy(&xi, x + 4, sizeof(V4));
        std::memcpy(&hr, h, sizeof(V4));
        std::memcpy(&hi, h + 4, sizeof(V4));
        V4 sr = xr * hr - xi * hi;
        V4 si = xr * hi + xi * hr;
        int slot = position;
        for (int p = 1; p < P; ++p)
        {
            const double* previous = input + static_cast<size_t>(slot) * spectrumSize + offset;
            slot = (slot == 0) ? P - 1 : slot - 1;
            x = input + static_cast<size_t>(slot) * spectrumSize + offset;
            h = taps + static_cast<size_t>(p) * spectrumSize + offset;
            std::memcpy(&xr, x, sizeof(V4));
            std::memcpy(&xi, x + 4, sizeof(V4));
            std::memcpy(&pr, previous, sizeof(V4));
            std::memcpy(&pi, previous + 4, sizeof(V4));
            std::memcpy(&hr, h, sizeof(V4));
            std::memcpy(&hi, h + 4, sizeof(V4));
            sr += xr * hr - xi * hi;
            si += xr * hi + xi * hr;
            nr += pr * hr - pi * hi;
            ni += pr * hi + pi * hr;
        }
        std::memcpy(sum + offset, &sr, sizeof(V4));
        std::memcpy(sum + offset + 4, &si, sizeof(V4));
        std::memcpy(next + offset, &nr, sizeof(V4));
        std::memcpy(next + offset + 4, &ni, sizeof(V4));
    }
}
} // namespace

CSpectralDelayLine::CSpectralDelayLine(int L, int B)
    : m_L(L), m_B(B), m_P(L / B), m_sum(0.0, 0.0)
{
    m_spectrumSize = (B + 3) / 4 * 8;
    const size_t spectra = 2 * static_cast<size_t>(m_P);
    // Room for the two pass results of accumulateBlockAndNext() after the spectra.
    m_storage.assign(spectra * m_spectrumSize + 2 * static_cast<size_t>(m_spectrumSize) + 8, 0.0);
    const auto address = reinterpret_cast<std::uintptr_t>(m_storage.data());
    m_input = m_storage.data() + ((64 - address % 64) % 64) / sizeof(double);
    m_taps = m_input + static_cast<size_t>(m_P) * m_spectrumSize;
    m_passSum = m_taps + static_cast<size_t>(m_P) * m_spectrumSize;
    m_passNext = m_passSum + m_spectrumSize;
}

void CSpectralDelayLine::store(double* spectrum, const double* re, const double* im) noexcept
{
    for (int k = 0; k < m_B; ++k)
    {
        spectrum[reIndex(k)] = re[k];
        spectrum[reIndex(k) + 4] = im[k];
    }
}

void CSpectralDelayLine::pushAndAccumulate(int index, const Complex& inputBin, const Complex& tapBin) noexcept
{
    const int position = (index & (m_L - 1)) / m_B;
    const int k = index & (m_B - 1);
    input(position)[reIndex(k)] = inputBin.real();
    input(position)[reIndex(k) + 4] = inputBin.imag();
    const int written = (position - 1 + m_P) % m_P;
    partition(written)[reIndex(k)] = tapBin.real();
    partition(written)[reIndex(k) + 4] = tapBin.imag();

    m_sum = Complex(0.0, 0.0);
    for (int p = 0; p < m_P; ++p)
    {
        const Complex a = binOf(input((position - p + m_P) % m_P), k);
        const Complex b = binOf(partition(p), k);
        if (k != 0)
            m_sum += a * b;
        else
            m_sum += Complex(a.real() * b.real(), a.imag() * b.imag());
    }
}

void CSpectralDelayLine::pushInputBlock(int position, const double* re, const double* im) noexcept
{
    store(input(position), re, im);
}

void CSpectralDelayLine::setPartitionSpectrum(int p, const double* re, const double* im) noexcept
{
    store(partition(p), re, im);
}

void CSpectralDelayLine::accumulateBlock(int position, double* sumRe, double* sumIm) const noexcept
{
    for (int k = 0; k < m_B; ++k)
    {
        double re = 0.0, im = 0.0;
        int slot = position;
        for (int p = 0; p < m_P; ++p)
        {
            const Complex a = binOf(input(slot), k);
            const Complex b = binOf(partition(p), k);
            if (k == 0)
            {
                re += a.real() * b.real();
                im += a.imag() * b.imag();
            }
            else
            {
                re += a.real() * b.real() - a.imag() * b.imag();
                im += a.real() * b.imag() + a.imag() * b.real();
            }
            slot = (slot == 0) ? m_P - 1 : slot - 1;
        }
        sumRe[k] = re;
        sumIm[k] = im;
    }
}

void CSpectralDelayLine::accumulateBlockAndNext(int position, double* sumRe, double* sumIm, double* nextRe,
                                                double* nextIm) noexcept
{
    sumPairs(m_input, m_taps, m_spectrumSize / 8, m_spectrumSize, m_P, position, m_passSum, m_passNext);
    for (int k = 1; k < m_B; ++k)
    {
        sumRe[k] = m_passSum[reIndex(k)];
        sumIm[k] = m_passSum[reIndex(k) + 4];
        nextRe[k] = m_passNext[reIndex(k)];
        nextIm[k] = m_passNext[reIndex(k) + 4];
    }
    // Bin 0 holds the packed DC and Nyquist parts, which multiply separately.
    double dc = 0.0, nyquist = 0.0, nextDc = 0.0, nextNyquist = 0.0;
    int slot = position;
    for (int p = 0; p < m_P; ++p)
    {
        const double* x = input(slot);
        const double* h = partition(p);
        dc += x[0] * h[0];
        nyquist += x[4] * h[4];
        if (p > 0)
        {
            const double* previous = input(slot == m_P - 1 ? 0 : slot + 1);
            nextDc += previous[0] * h[0];
            nextNyquist += previous[4] * h[4];
        }
        slot = (slot == 0) ? m_P - 1 : slot - 1;
    }
    sumRe[0] = dc;
    sumIm[0] = nyquist;
    nextRe[0] = nextDc;
    nextIm[0] = nextNyquist;
}

void CSpectralDelayLine::completeNext(int position, const double* nextRe, const double* nextIm, double* sumRe,
                                      double* sumIm) const noexcept
{
    const double* x = input(position);
    const double* h = partition(0);
    sumRe[0] = nextRe[0] + x[0] * h[0];
    sumIm[0] = nextIm[0] + x[4] * h[4];
    for (int k = 1; k < m_B; ++k)
    {
        const Complex a = binOf(x, k);
        const Complex b = binOf(h, k);
        sumRe[k] = nextRe[k] + (a.real() * b.real() - a.imag() * b.imag());
        sumIm[k] = nextIm[k] + (a.real() * b.imag() + a.imag() * b.real());
    }
}

CSpectralDelayLine::Complex CSpectralDelayLine::inputSpectra(int slot) const noexcept
{
    return binOf(input((slot & (m_L - 1)) / m_B), slot & (m_B - 1));
}

CSpectralDelayLine::Complex CSpectralDelayLine::tapSpectra(int slot) const noexcept
{
    return binOf(partition(((slot & (m_L - 1)) / m_B - 1 + m_P) % m_P), slot & (m_B - 1));
}
