// CGraphicEqEngine block convolution: the block-end work behind processSample().
//
// Timeline per block (partition q gathered during the block, q = (partOffset - firstTap) / B):
//   1. The output spectrum of this block is the per-bin sum over partitions at ring
//      position q: input blocks t-1, t-2, ... against partitions 0, 1, ... . Those
//      spectra were all stored at earlier block ends, so the sum is formed here in
//      one pass (bin by bin over the block's samples would give the same values).
//      Every even block the pass also forms the next block's sum except its newest
//      term, so each spectrum is read once per two blocks; the odd block end adds
//      that term (after forming the partial sum again if a partition 1..P-1 changed).
//   2. Inverse transform with the DC/Nyquist pair packed in bin 0 and the Nyquist value
//      repeated at bin M: the inverse split step cancels the Nyquist term, so each
//      block result lacks it (kept deliberately: that is this filter's response).
//   3. Overlap-add with the tail of the previous block result.
//   4. This block's input spectrum goes to ring position q + 1; partition q's spectrum
//      is replaced by the transform of the taps gathered during this block, unless
//      they are bit for bit the taps it was last transformed from.
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
    if (m_evenBlock)
    {
        m_delayLine.accumulateBlockAndNext(q, sumRe, sumIm, m_nextRe.data(), m_nextIm.data());
        m_nextReady = true;
    }
    else
    {
        if (!m_nextReady)
        {
            // The previous block's own sum is not needed again; m_specRe/Im are free scratch here.
            const int previous = (q == 0) ? m_partitions - 1 : q - 1;
            m_delayLine.accumulateBlockAndNext(previous, m_specRe.data(), m_specIm.data(), m_nextRe.data(),
                                               m_nextIm.data());
        }
        m_delayLine.completeNext(q, m_nextRe.data(), m_nextIm.data(), sumRe, sumIm);
        m_nextReady = false;
    }
    m_evenBlock = !m_evenBlock;
    sumRe[M] = sumIm[0];
    sumIm[M] = 0.0;

    double* out = m_outBlock.data();
    double* overlap = m_overlap.data();
    std::copy(out + B, out + 2 * B, overlap);
    m_outputTransform.inversePacked(sumRe, sumIm, out, 1.0 / static_cast<double>(m_fftSize));
    for (int i = 0; i < B; ++i)
        out[i] += overlap[i];

    double* specRe = m_specRe.data();
    double* specIm = m_specIm.data();
    m_inputTransform.forwardPacked(m_inBlock.data(), B, specRe, specIm);
    m_delayLine.pushInputBlock((q + 1) % m_partitions, specRe, specIm);

    double* transformed = m_transformedTaps.data() + static_cast<size_t>(q) * B;
    const double* gathered = m_tapBlock.data();
    if (std::memcmp(transformed, gathered, sizeof(double) * static_cast<size_t>(B)) != 0)
    {
        std::copy(gathered, gathered + B, transformed);
        m_tapTransform.forwardPacked(gathered, B, specRe, specIm);
        m_delayLine.setPartitionSpectrum(q, specRe, specIm);
        if (q != 0)
            m_nextReady = false;
    }

    m_pos = 0;
    std::fill(m_inBlock.begin(), m_inBlock.begin() + B, 0.0);
    std::fill(m_overlap.begin(), m_overlap.end(), 0.0);
    m_partOffset += B;
    if (m_partOffset >= m_tapEnd)
        m_partOffset = m_firstTap;
}
