// CGraphicEqEngine block convolution: the block-end work behind processSample().
//
// Timeline per block (partition q gathered during the block, q = (partOffset - firstTap) / B):
//   1. The output spectrum of this block is the per-bin sum over partitions at ring
//      position q: input blocks t-1, t-2, ... against partitions 0, 1, ... . Those
//      spectra were all stored at earlier block ends, so the sum is formed here
//      (bin by bin over the block's samples would give the same values). The first
//      block of every batch of kPartitionBatch forms, in one pass over the spectra,
//      the terms of the batch's sums that cannot change any more; each block adds
//      the rest (see CSpectralDelayLine).
//   2. Inverse transform with the DC/Nyquist pair packed in bin 0 and the Nyquist value
//      repeated at bin M: the inverse split step cancels the Nyquist term, so each
//      block result lacks it (kept deliberately: that is this filter's response).
//   3. Overlap-add with the tail of the previous block result (fused into the inverse).
//   4. This block's input spectrum goes to ring position q + 1 (the transform writes
//      straight into the delay line).
//   5. The channel that leads the tap bank has partition q's spectrum replaced by the
//      transform of the taps gathered during this block (CTapBank::takePartition),
//      after every channel sharing it has formed its sum.
#include "dsp/graphic_eq_engine.h"

#include <algorithm>

void CGraphicEqEngine::finishBlock() noexcept
{
    const int q = currentPartition();
    if (m_batchPhase == 0)
        m_delayLine.beginBatch(q);
    formSums();
    completeBlock(q);
    if (m_leads)
        m_bank->takePartition();
    advance();
}

void CGraphicEqEngine::completeBlock(int q) noexcept
{
    const int B = m_blockSize;
    const int M = B; // fftSize / 2
    double* sumRe = m_sumRe.data();
    double* sumIm = m_sumIm.data();
    sumRe[M] = sumIm[0];
    sumIm[M] = 0.0;

    // The overlap-add runs inside the inverse transform: each new value plus the tail the
    // previous block left in the second half of outBlock, so no separate overlap buffer.
    m_outputTransform.inversePackedOverlapAdd(sumRe, sumIm, m_outBlock.data(),
                                              1.0 / static_cast<double>(m_fftSize));

    const int next = (q + 1 == m_partitions) ? 0 : q + 1;
    m_inputTransform.forwardPacked(m_inBlock.data(), B, m_delayLine.inputRe(next),
                                   m_delayLine.inputIm(next));
}

void CGraphicEqEngine::advance() noexcept
{
    m_pos = 0;
    std::fill(m_inBlock.begin(), m_inBlock.begin() + m_blockSize, 0.0);
    m_partOffset += m_blockSize;
    if (m_partOffset >= m_tapEnd)
        m_partOffset = m_firstTap;
    m_batchPhase = (m_batchPhase + 1 == kPartitionBatch) ? 0 : m_batchPhase + 1;
    ++m_blocks;
}

void CGraphicEqEngine::restartInStepWith(const CGraphicEqEngine& lead) noexcept
{
    m_delayLine.restartLike(lead.m_delayLine);
    std::fill(m_outBlock.begin(), m_outBlock.end(), 0.0);
    std::fill(m_inBlock.begin(), m_inBlock.end(), 0.0);
    m_pos = lead.m_pos;
    m_partOffset = lead.m_partOffset;
    m_batchPhase = lead.m_batchPhase;
    m_blocks = lead.m_blocks;
}
