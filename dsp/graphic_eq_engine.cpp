// CGraphicEqEngine: construction.
#include "dsp/graphic_eq_engine.h"

// The channel number is part of the plug-in's call; the two channels' engines are
// designed alike, so nothing here depends on it.
CGraphicEqEngine::CGraphicEqEngine(int sampleRate, int /*channel*/, int designSize,
                                   int filterLength, int blockSize, int firstTap)
    : CGraphicEqEngine(
        std::make_shared<CTapBank>(sampleRate, designSize, filterLength, blockSize, firstTap), true,
        filterLength, blockSize, firstTap)
{}

CGraphicEqEngine::CGraphicEqEngine(std::shared_ptr<CTapBank> bank, bool leads, int filterLength,
                                   int blockSize, int firstTap)
    : m_bank(std::move(bank)),
      m_leads(leads),
      m_partitions(filterLength / blockSize),
      m_blockSize(blockSize),
      m_fftSize(2 * blockSize),
      m_partOffset(firstTap),
      m_firstTap(firstTap),
      m_tapEnd(firstTap + blockSize * (filterLength / blockSize)),
      m_outBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_inBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_inputTransform(2 * blockSize),
      m_outputTransform(2 * blockSize),
      m_delayLine(filterLength, blockSize, m_bank->partitions()),
      m_sumRe(static_cast<size_t>(m_delayLine.stride()) + 1, 0.0),
      m_sumIm(static_cast<size_t>(m_delayLine.stride()) + 1, 0.0)
{}

void CGraphicEqEngine::setBandGains(double g0, double g1, double g2, double g3, double g4,
                                    double g5, double g6, double g7, double g8, double g9,
                                    double g10, double g11, double g12, double g13,
                                    double g14) noexcept
{
    const double bandGains[kBandCount] = {g0, g1, g2,  g3,  g4,  g5,  g6, g7,
                                          g8, g9, g10, g11, g12, g13, g14};
    setBandGains(bandGains);
}
