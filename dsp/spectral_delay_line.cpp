// CSpectralDelayLine: per-bin reference and block form of the partition sum.
#include "dsp/spectral_delay_line.h"

#include "dsp/simd.h"

#include <cstdint>
#include <cstring>

namespace
{
// Four doubles; GCC lowers it to two SSE2 registers in the baseline clone.
typedef double V4 __attribute__((vector_size(32)));

// Sum over the P contiguous entries of one bin. packed: bin 0, where real and
// imaginary parts are separate real values (DC and Nyquist) and multiply separately.
CORVALE_HOT_CLONES
void sumBins(const double* data, int stride, int P, int offset, int B, double* sumRe, double* sumIm) noexcept
{
    for (int k = 0; k < B; ++k)
    {
        const double* bin = data + static_cast<size_t>(k) * stride;
        const double* ar = bin + offset;
        const double* ai = bin + 2 * P + offset;
        const double* hr = bin + 4 * P;
        const double* hi = bin + 5 * P;
        const bool packed = (k == 0);
        V4 sr0 = {0, 0, 0, 0}, si0 = sr0, sr1 = sr0, si1 = sr0;
        int j = 0;
        for (; j + 8 <= P; j += 8)
        {
            V4 ar0, ai0, hr0, hi0, ar1, ai1, hr1, hi1;
            std::memcpy(&ar0, ar + j, sizeof(V4));
            std::memcpy(&ai0, ai + j, sizeof(V4));
            std::memcpy(&hr0, hr + j, sizeof(V4));
            std::memcpy(&hi0, hi + j, sizeof(V4));
            std::memcpy(&ar1, ar + j + 4, sizeof(V4));
            std::memcpy(&ai1, ai + j + 4, sizeof(V4));
            std::memcpy(&hr1, hr + j + 4, sizeof(V4));
            std::memcpy(&hi1, hi + j + 4, sizeof(V4));
            if (packed)
            {
                sr0 += ar0 * hr0;
                si0 += ai0 * hi0;
                sr1 += ar1 * hr1;
                si1 += ai1 * hi1;
            }
            else
            {
                sr0 += ar0 * hr0 - ai0 * hi0;
                si0 += ar0 * hi0 + ai0 * hr0;
                sr1 += ar1 * hr1 - ai1 * hi1;
                si1 += ar1 * hi1 + ai1 * hr1;
            }
        }
        sr0 += sr1;
        si0 += si1;
        double re = (sr0[0] + sr0[1]) + (sr0[2] + sr0[3]);
        double im = (si0[0] + si0[1]) + (si0[2] + si0[3]);
        for (; j < P; ++j)
        {
            if (packed)
            {
                re += ar[j] * hr[j];
                im += ai[j] * hi[j];
            }
            else
            {
                re += ar[j] * hr[j] - ai[j] * hi[j];
                im += ar[j] * hi[j] + ai[j] * hr[j];
            }
        }
        sumRe[k] = re;
        sumIm[k] = im;
    }
}
} // namespace

CSpectralDelayLine::CSpectralDelayLine(int L, int B)
    : m_L(L), m_B(B), m_P(L / B), m_stride(0), m_sum(0.0, 0.0)
{
    m_stride = (6 * m_P + 7) / 8 * 8;
    m_storage.assign(static_cast<size_t>(m_stride) * static_cast<size_t>(m_B) + 8, 0.0);
    const auto address = reinterpret_cast<std::uintptr_t>(m_storage.data());
    m_data = m_storage.data() + ((64 - address % 64) % 64) / sizeof(double);
}

void CSpectralDelayLine::pushAndAccumulate(int index, const Complex& inputBin, const Complex& tapBin) noexcept
{
    const int slot = index & (m_L - 1);
    const int position = slot / m_B;
    const int k = index & (m_B - 1);
    double* data = bin(k);
    double* inRe = data;
    double* inIm = data + 2 * m_P;
    double* hRe = data + 4 * m_P;
    double* hIm = data + 5 * m_P;
    inRe[position] = inRe[position + m_P] = inputBin.real();
    inIm[position] = inIm[position + m_P] = inputBin.imag();
    const int partition = (position - 1 + m_P) % m_P;
    hRe[m_P - 1 - partition] = tapBin.real();
    hIm[m_P - 1 - partition] = tapBin.imag();

    m_sum = Complex(0.0, 0.0);
    for (int p = 0; p < m_P; ++p)
    {
        const int from = (position - p + m_P) % m_P;
        const Complex a(inRe[from], inIm[from]);
        const Complex h(hRe[m_P - 1 - p], hIm[m_P - 1 - p]);
        if (k != 0)
            m_sum += a * h;
        else
            m_sum += Complex(a.real() * h.real(), a.imag() * h.imag());
    }
}

void CSpectralDelayLine::pushInputBlock(int position, const double* re, const double* im) noexcept
{
    for (int k = 0; k < m_B; ++k)
    {
        double* data = bin(k);
        data[position] = data[position + m_P] = re[k];
        data[2 * m_P + position] = data[3 * m_P + position] = im[k];
    }
}

void CSpectralDelayLine::setPartitionSpectrum(int partition, const double* re, const double* im) noexcept
{
    const int at = m_P - 1 - partition;
    for (int k = 0; k < m_B; ++k)
    {
        double* data = bin(k);
        data[4 * m_P + at] = re[k];
        data[5 * m_P + at] = im[k];
    }
}

void CSpectralDelayLine::accumulateBlock(int position, double* sumRe, double* sumIm) const noexcept
{
    // Entries position+1 .. position+P of the doubled ring are blocks t-P+1 .. t in order,
    // matching partitions P-1 .. 0 stored in reverse.
    sumBins(m_data, m_stride, m_P, position + 1, m_B, sumRe, sumIm);
}

CSpectralDelayLine::Complex CSpectralDelayLine::inputSpectra(int slot) const noexcept
{
    const int position = (slot & (m_L - 1)) / m_B;
    const double* data = bin(slot & (m_B - 1));
    return Complex(data[position], data[2 * m_P + position]);
}

CSpectralDelayLine::Complex CSpectralDelayLine::tapSpectra(int slot) const noexcept
{
    const int position = (slot & (m_L - 1)) / m_B;
    const int partition = (position - 1 + m_P) % m_P;
    const double* data = bin(slot & (m_B - 1));
    return Complex(data[4 * m_P + m_P - 1 - partition], data[5 * m_P + m_P - 1 - partition]);
}
