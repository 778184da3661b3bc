// CGraphicEqPair: construction and the joint block end.
#include "dsp/graphic_eq_pair.h"

#include "dsp/spectral_delay_line.h"

CGraphicEqPair::CGraphicEqPair(int sampleRate, int designSize, int filterLength, int blockSize,
                               int firstTap)
    : m_bank(std::make_shared<CTapBank>(sampleRate, designSize, filterLength, blockSize, firstTap)),
      m_left(new CGraphicEqEngine(m_bank, true, filterLength, blockSize, firstTap)),
      m_right(new CGraphicEqEngine(m_bank, false, filterLength, blockSize, firstTap))
{}

void CGraphicEqPair::finishBlocks() noexcept
{
    CGraphicEqEngine& left = *m_left;
    CGraphicEqEngine& right = *m_right;
    const int q = left.currentPartition();
    if (left.m_batchPhase == 0)
        CSpectralDelayLine::beginBatchPair(left.m_delayLine, right.m_delayLine, q);
    CSpectralDelayLine::finishBatchBlockPair(left.m_batchPhase, left.m_delayLine, right.m_delayLine,
                                             left.m_sumRe.data(), left.m_sumIm.data(),
                                             right.m_sumRe.data(), right.m_sumIm.data());
    left.completeBlock(q);
    right.completeBlock(q);
    m_bank->takePartition();
    left.advance();
    right.advance();
}
