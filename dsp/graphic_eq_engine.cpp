// CGraphicEqEngine: construction and tap combination.
#include "dsp/graphic_eq_engine.h"

#include <algorithm>
#include <cmath>

// The channel number is part of the plug-in's call; the two channels' engines are
// designed alike, so nothing here depends on it.
CGraphicEqEngine::CGraphicEqEngine(int sampleRate, int /*channel*/, int designSize, int filterLength,
                                   int blockSize, int firstTap)
    : m_designSize(designSize),
      m_partitions(filterLength / blockSize),
      m_blockSize(blockSize),
      m_fftSize(2 * blockSize),
      m_pos(0),
      m_partOffset(firstTap),
      m_firstTap(firstTap),
      m_tapEnd(firstTap + blockSize * (filterLength / blockSize)),
      m_tapBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_outBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_inBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_gains{},
      m_designSpectrum(static_cast<size_t>(designSize), Complex(0.0, 0.0)),
      m_tapTransform(2 * blockSize),
      m_inputTransform(2 * blockSize),
      m_outputTransform(2 * blockSize),
      m_designTransform(designSize),
      m_delayLine(filterLength, blockSize),
      m_sumRe(static_cast<size_t>(m_delayLine.stride()) + 1, 0.0),
      m_sumIm(static_cast<size_t>(m_delayLine.stride()) + 1, 0.0),
      m_transformedTaps(static_cast<size_t>(m_partitions) * static_cast<size_t>(blockSize), 0.0)
{
    m_bandResponses.reserve(kBandCount);
    for (int b = 0; b < kBandCount; ++b)
        m_bandResponses.emplace_back(designSize);
    m_taps.assign(static_cast<size_t>(designSize), 0.0);
    for (double& gain : m_gains)
        gain = 1.0;
    m_windows.assign(kBandCount, std::vector<double>(static_cast<size_t>(designSize), 0.0));
    designBands(sampleRate);
}

void CGraphicEqEngine::setBandDecay(int band, double decayRate, int sampleRate) noexcept
{
    double* window = m_windows[static_cast<size_t>(band)].data();
    for (int n = m_firstTap; n < m_tapEnd; ++n)
        window[n] = std::exp(-(static_cast<double>(n) * decayRate / static_cast<double>(sampleRate)));
    combineBands();
}

void CGraphicEqEngine::setBandGains(double g0, double g1, double g2, double g3, double g4, double g5,
                                    double g6, double g7, double g8, double g9, double g10, double g11,
                                    double g12, double g13, double g14) noexcept
{
    const double bandGains[kBandCount] = {g0, g1, g2, g3, g4, g5, g6, g7, g8, g9, g10, g11, g12, g13, g14};
    setBandGains(bandGains);
}

void CGraphicEqEngine::setBandGains(const double* bandGains) noexcept
{
    for (int b = 0; b < kBandCount; ++b)
        m_gains[b] = bandGains[b];
    combineBands();
}

void CGraphicEqEngine::gatherTaps(int upTo) noexcept
{
    const double* from = m_taps.data() + m_partOffset;
    std::copy(from + m_gathered, from + upTo, m_tapBlock.data() + m_gathered);
    m_gathered = upTo;
}

void CGraphicEqEngine::combineBands() noexcept
{
    // The samples gathered so far keep the taps they saw.
    gatherTaps(m_pos);
    // Band 1 plus band 0 first, then bands 2..14 in order; the loops run band-major so
    // each one is a plain vectorisable pass, with the same sum per tap.
    double* __restrict taps = m_taps.data();
    const double* w0 = m_windows[0].data();
    const double* w1 = m_windows[1].data();
    const double* r0 = m_bandResponses[0].values();
    const double* r1 = m_bandResponses[1].values();
    const double g0 = m_gains[0];
    const double g1 = m_gains[1];
    for (int n = m_firstTap; n < m_tapEnd; ++n)
        taps[n] = (w1[n] * g1) * r1[n] + (w0[n] * g0) * r0[n];
    for (int b = 2; b < kBandCount; ++b)
    {
        const double* w = m_windows[static_cast<size_t>(b)].data();
        const double* r = m_bandResponses[static_cast<size_t>(b)].values();
        const double g = m_gains[b];
        for (int n = m_firstTap; n < m_tapEnd; ++n)
            taps[n] += (w[n] * g) * r[n];
    }
}
