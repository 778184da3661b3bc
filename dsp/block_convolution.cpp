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
//   4. This block's input spectrum goes to ring position q + 1; partition q's spectrum
//      is replaced by the transform of the taps gathered during this block, unless
//      they are bit for bit the taps it was last transformed from. The transforms
//      write straight into the delay line.
#include "dsp/graphic_eq_engine.h"

#include <algorithm>
#include <cstring>

void CGraphicEqEngine::finishBlock() noexcept
{
    const int B = m_blockSize;
    const int M = B;   // fftSize / 2
    const int q = (m_partOffset - m_firstTap) / B;

    double* sumRe = m_sumRe.data();
    double* sumIm = m_sumIm.data();
    if (m_batchPhase == 0)
        m_delayLine.beginBatch(q);
    m_delayLine.finishBatchBlock(m_batchPhase, sumRe, sumIm);
    m_batchPhase = (m_batchPhase + 1 == kPartitionBatch) ? 0 : m_batchPhase + 1;
    sumRe[M] = sumIm[0];
    sumIm[M] = 0.0;

    // The overlap-add runs inside the inverse transform: each new value plus the tail the
    // previous block left in the second half of outBlock, so no separate overlap buffer.
    m_outputTransform.inversePackedOverlapAdd(sumRe, sumIm, m_outBlock.data(), 1.0 / static_cast<double>(m_fftSize));

    const int next = (q + 1 == m_partitions) ? 0 : q + 1;
    m_inputTransform.forwardPacked(m_inBlock.data(), B, m_delayLine.inputRe(next), m_delayLine.inputIm(next));

    // Without a tap change during the block the partition is just the current taps, read in
    // place; otherwise tapBlock holds the taps each sample saw and gets the rest now.
    const double* gathered = m_taps.data() + m_partOffset;
    if (m_gathered != 0)
    {
        gatherTaps(B);
        gathered = m_tapBlock.data();
    }
    m_gathered = 0;
    double* transformed = m_transformedTaps.data() + static_cast<size_t>(q) * B;
    if (std::memcmp(transformed, gathered, sizeof(double) * static_cast<size_t>(B)) != 0)
    {
        std::copy(gathered, gathered + B, transformed);
        m_tapTransform.forwardPacked(gathered, B, m_delayLine.partitionRe(q), m_delayLine.partitionIm(q));
        m_delayLine.partitionWritten(q);
    }

    m_pos = 0;
    std::fill(m_inBlock.begin(), m_inBlock.begin() + B, 0.0);
    m_partOffset += B;
    if (m_partOffset >= m_tapEnd)
        m_partOffset = m_firstTap;
}
