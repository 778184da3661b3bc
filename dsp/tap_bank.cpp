// CTapBank: tap combination and the partition spectra.
#include "dsp/tap_bank.h"

#include <algorithm>
#include <cmath>
#include <cstring>

CTapBank::CTapBank(int sampleRate, int designSize, int filterLength, int blockSize, int firstTap)
    : m_bands(CBandSet::shared(sampleRate, designSize)),
      m_designSize(designSize),
      m_blockSize(blockSize),
      m_firstTap(firstTap),
      m_tapEnd(firstTap + blockSize * (filterLength / blockSize)),
      m_partOffset(firstTap),
      m_taps(static_cast<size_t>(designSize), 0.0),
      m_tapBlock(static_cast<size_t>(blockSize), 0.0),
      m_transformedTaps(
          static_cast<size_t>(filterLength / blockSize) * static_cast<size_t>(blockSize), 0.0),
      m_transformedGeneration(static_cast<size_t>(filterLength / blockSize), 0),
      m_spectra(filterLength / blockSize, blockSize),
      m_tapTransform(2 * blockSize)
{
    for (int b = 0; b < kBandCount; ++b)
    {
        m_gains[b] = 1.0;
        m_windows[b] = m_bands->zeros();
    }
}

void CTapBank::setBandDecay(int band, double decayRate, int sampleRate, int pos)
{
    // exp(-(n * 0 / rate)) is exactly 1: an open band shares the set's ones.
    if (decayRate == 0.0 && sampleRate != 0)
    {
        m_windows[band] = m_bands->ones();
    }
    else
    {
        std::vector<double>& own = m_ownWindows[band];
        if (own.empty())
            own.assign(static_cast<size_t>(m_designSize), 0.0);
        for (int n = m_firstTap; n < m_tapEnd; ++n)
            own[static_cast<size_t>(n)] = std::exp(
                -(static_cast<double>(n) * decayRate / static_cast<double>(sampleRate)));
        m_windows[band] = own.data();
    }
    combineBands(pos);
}

void CTapBank::setBandGains(const double* bandGains, int pos) noexcept
{
    for (int b = 0; b < kBandCount; ++b)
        m_gains[b] = bandGains[b];
    combineBands(pos);
}

void CTapBank::gatherTaps(int upTo) noexcept
{
    const double* from = m_taps.data() + m_partOffset;
    std::copy(from + m_gathered, from + upTo, m_tapBlock.data() + m_gathered);
    m_gathered = upTo;
}

void CTapBank::combineBands(int pos) noexcept
{
    // The samples gathered so far keep the taps they saw.
    gatherTaps(pos);
    ++m_generation;
    // Band 1 plus band 0 first, then bands 2..14 in order; the loops run band-major so
    // each one is a plain vectorisable pass, with the same sum per tap.
    double* __restrict taps = m_taps.data();
    const double* w0 = m_windows[0];
    const double* w1 = m_windows[1];
    const double* r0 = m_bands->response(0).values();
    const double* r1 = m_bands->response(1).values();
    const double g0 = m_gains[0];
    const double g1 = m_gains[1];
    for (int n = m_firstTap; n < m_tapEnd; ++n)
        taps[n] = (w1[n] * g1) * r1[n] + (w0[n] * g0) * r0[n];
    for (int b = 2; b < kBandCount; ++b)
    {
        const double* w = m_windows[b];
        const double* r = m_bands->response(b).values();
        const double g = m_gains[b];
        for (int n = m_firstTap; n < m_tapEnd; ++n)
            taps[n] += (w[n] * g) * r[n];
    }
}

void CTapBank::takePartition() noexcept
{
    const int B = m_blockSize;
    const int q = (m_partOffset - m_firstTap) / B;
    uint64_t& generation = m_transformedGeneration[static_cast<size_t>(q)];
    // Without a tap change during the block the partition is just the current taps, read in
    // place; otherwise tapBlock holds the taps each sample saw and gets the rest now.
    const double* gathered = m_taps.data() + m_partOffset;
    const bool changedInBlock = m_gathered != 0;
    if (changedInBlock)
    {
        gatherTaps(B);
        gathered = m_tapBlock.data();
    }
    m_gathered = 0;
    if (changedInBlock || generation != m_generation)
    {
        double* transformed = m_transformedTaps.data()
                              + static_cast<size_t>(q) * static_cast<size_t>(B);
        if (std::memcmp(transformed, gathered, sizeof(double) * static_cast<size_t>(B)) != 0)
        {
            std::copy(gathered, gathered + B, transformed);
            m_tapTransform.forwardPacked(gathered, B, m_spectra.re(q), m_spectra.im(q));
        }
        // A partition gathered across a change holds no one generation.
        generation = changedInBlock ? 0 : m_generation;
    }
    m_partOffset += B;
    if (m_partOffset >= m_tapEnd)
        m_partOffset = m_firstTap;
}
