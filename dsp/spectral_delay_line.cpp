// CSpectralDelayLine: per-bin reference, plain block form and the batch form of the partition sum.
#include "dsp/spectral_delay_line.h"

#include <algorithm>
#include <cstdint>

CSpectralDelayLine::CSpectralDelayLine(int L, int B)
    : m_L(L), m_B(B), m_P(L / B), m_ownPartitions(std::make_unique<CPartitionSpectra>(L / B, B)),
      m_partitions(m_ownPartitions.get()), m_sum(0.0, 0.0)
{
    allocate();
}

CSpectralDelayLine::CSpectralDelayLine(int L, int B, CPartitionSpectra& partitions)
    : m_L(L), m_B(B), m_P(L / B), m_partitions(&partitions), m_sum(0.0, 0.0)
{
    allocate();
}

void CSpectralDelayLine::allocate()
{
    m_stride = spectrumStride(m_B);
    m_spectrumSize = inputSpectrumSize(m_stride);
    m_partitionSize = partitionSpectrumSize(m_stride);
    const size_t doubles = static_cast<size_t>(m_P + kPartitionBatch) * m_spectrumSize;
    m_storage.assign(doubles + 8, 0.0);
    const auto address = reinterpret_cast<std::uintptr_t>(m_storage.data());
    m_input = m_storage.data() + ((64 - address % 64) % 64) / sizeof(double);
    m_partials = m_input + static_cast<size_t>(m_P) * m_spectrumSize;
    m_taps = m_partitions->data();
    m_passed.assign(static_cast<size_t>(m_P), 0);
    m_deferred.assign(static_cast<size_t>(m_P), 0);
    m_blockOrder.assign(static_cast<size_t>(m_P + kPartitionBatch - 1), nullptr);
}

void CSpectralDelayLine::restartLike(const CSpectralDelayLine& other) noexcept
{
    std::fill(m_storage.begin(), m_storage.end(), 0.0);
    m_batchPosition = other.m_batchPosition;
    m_passed = other.m_passed;
    m_deferred = other.m_deferred;
    m_deferredCount = other.m_deferredCount;
}

void CSpectralDelayLine::pushAndAccumulate(int index, const Complex& inputBin, const Complex& tapBin) noexcept
{
    const int position = (index & (m_L - 1)) / m_B;
    const int k = index & (m_B - 1);
    input(position)[k] = inputBin.real();
    input(position)[m_stride + k] = inputBin.imag();
    const int written = (position - 1 + m_P) % m_P;
    partition(written)[k] = tapBin.real();
    partition(written)[m_stride + k] = tapBin.imag();

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

void CSpectralDelayLine::prepareBatch(int position) noexcept
{
    // Left out of the pass: partitions whose input blocks are not all stored yet
    // (p < kPartitionBatch - 1) and those replaced before the batch's last block.
    std::fill(m_passed.begin(), m_passed.end(), 1);
    for (int i = 0; i < kPartitionBatch - 1 && i < m_P; ++i)
    {
        m_passed[static_cast<size_t>(i)] = 0;
        m_passed[static_cast<size_t>((position + i) % m_P)] = 0;
    }
    m_deferredCount = 0;
    for (int p = 0; p < m_P; ++p)
    {
        if (!m_passed[static_cast<size_t>(p)])
            m_deferred[static_cast<size_t>(m_deferredCount++)] = p;
    }
    m_batchPosition = position;
    // The input blocks in time order: entry P - 1 + j - p is the one partition p meets in
    // the sum at position + j.
    int slot = (position + 1) % m_P;   // position - (P - 1), mod P
    for (int u = 0; u < m_P + kPartitionBatch - 1; ++u)
    {
        m_blockOrder[static_cast<size_t>(u)] = input(slot);
        slot = (slot + 1 == m_P) ? 0 : slot + 1;
    }
}

void CSpectralDelayLine::beginBatch(int position) noexcept
{
    prepareBatch(position);
    sumPartitionBatch(m_blockOrder.data(), m_taps, m_passed.data(), m_stride, m_P, m_partials);
}

void CSpectralDelayLine::beginBatchPair(CSpectralDelayLine& first, CSpectralDelayLine& second, int position) noexcept
{
    first.prepareBatch(position);
    second.prepareBatch(position);
    sumPartitionBatchPair(first.m_blockOrder.data(), second.m_blockOrder.data(), first.m_taps, first.m_passed.data(),
                          first.m_stride, first.m_P, first.m_partials, second.m_partials);
}

void CSpectralDelayLine::finishBatchBlock(int j, double* sumRe, double* sumIm) const noexcept
{
    completePartitionSum(m_input, m_taps, m_deferred.data(), m_deferredCount, m_stride, m_P,
                         (m_batchPosition + j) % m_P, m_partials + static_cast<size_t>(j) * m_spectrumSize,
                         sumRe, sumIm);
}

void CSpectralDelayLine::finishBatchBlockPair(int j, const CSpectralDelayLine& first, const CSpectralDelayLine& second,
                                              double* firstRe, double* firstIm, double* secondRe,
                                              double* secondIm) noexcept
{
    const size_t partial = static_cast<size_t>(j) * first.m_spectrumSize;
    const double* inputs[2] = {first.m_input, second.m_input};
    const double* partials[2] = {first.m_partials + partial, second.m_partials + partial};
    double* re[2] = {firstRe, secondRe};
    double* im[2] = {firstIm, secondIm};
    completePartitionSumPair(inputs, first.m_taps, first.m_deferred.data(), first.m_deferredCount, first.m_stride,
                             first.m_P, (first.m_batchPosition + j) % first.m_P, partials, re, im);
}
