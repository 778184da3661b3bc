// CSpectralDelayLine: the frequency-domain delay line of the block convolution.
// It keeps the spectra of the last P = L/B input blocks and of all P tap
// partitions (B bins each, bin 0 a packed pair: DC in the real part, Nyquist in
// the imaginary part) and forms, per bin k, the sum over p of
// input(block t-p)[k] * partition(p)[k].
//
// Storage: each input block and each partition is stored split, `stride`
// (B rounded up to 8) real parts then `stride` imaginary parts, so the block
// form sums neighbouring bins at a time in vector registers. Positions are the
// ring positions 0..P-1 of the per-sample interface: the input block pushed at
// position r is "this block", and on the tap side position r stands for
// partition r-1. The transforms write straight into the stored spectra. The
// partition spectra may belong to another object (CPartitionSpectra): channels
// filtered with the same taps each keep their own input blocks and share them.
//
// Batch form (what the engine runs): one pass over the spectra forms the sums of
// kPartitionBatch consecutive blocks (beginBatch), each completed at its own
// block end (finishBatchBlock). The pass leaves out every term that may still
// change before its block: partitions 0..kPartitionBatch-2 (their input blocks
// are not there yet) and the partitions the next blocks replace; the completion
// adds those. So a block's sum depends only on the spectra at its own block end,
// its summation order only on its place in the batch: equal spectra give equal
// sums whatever happened before. Two delay lines that share their partitions can
// run their batch passes as one (beginBatchPair), reading each partition once.
//
// pushAndAccumulate() is the plain per-bin reference (the sample-by-sample
// CReferenceConvolution runs it) and accumulateBlock() the plain block-at-a-time
// form that the batch form is held against. All work on the same storage and
// agree to rounding.
#pragma once

#include "dsp/partition_spectra.h"
#include "dsp/partition_sums.h"

#include <complex>
#include <memory>
#include <vector>

class CSpectralDelayLine
{
public:
    using Complex = std::complex<double>;

    /// Builds a delay line for length L (filter length) and block size B, all zero, with
    /// partition spectra of its own. [main]
    CSpectralDelayLine(int L, int B);
    /// The same reading the partition spectra `partitions` (P = L / B partitions of B bins),
    /// which must outlive it. [main]
    CSpectralDelayLine(int L, int B, CPartitionSpectra& partitions);
    CSpectralDelayLine(const CSpectralDelayLine&) = delete;
    CSpectralDelayLine& operator=(const CSpectralDelayLine&) = delete;

    /// Stores bin (index mod B) of one input block and one partition at slot index mod L and
    /// sums that bin over all partitions; read the sum with accumulated(). Scalar reference. [audio]
    void pushAndAccumulate(int index, const Complex& inputBin, const Complex& tapBin) noexcept;
    /// The sum formed by the last pushAndAccumulate(). [audio]
    Complex accumulated() const noexcept { return m_sum; }

    /// For every bin k: sum over p of input(position - p)[k] * partition(p)[k] into sumRe/sumIm[k];
    /// bin 0 multiplies the packed parts separately. Same value as pushAndAccumulate's sum.
    /// Plain loops; the engine runs the batch form. [audio]
    void accumulateBlock(int position, double* sumRe, double* sumIm) const noexcept;

    /// Where the spectrum of the input block at ring position (0..P-1) is kept: stride() real
    /// parts, then stride() imaginary parts; bin 0 packs (DC, Nyquist). [audio]
    double* inputRe(int position) noexcept { return input(position); }
    double* inputIm(int position) noexcept { return input(position) + m_stride; }
    /// The same for tap partition p (0..P-1). [audio]
    double* partitionRe(int p) noexcept { return partition(p); }
    double* partitionIm(int p) noexcept { return partition(p) + m_stride; }
    /// Sets every input block to zero and takes over other's running batch, whose partial
    /// sums for silent input are zero: a silent line in step with other. [audio]
    void restartLike(const CSpectralDelayLine& other) noexcept;

    /// Starts a batch: forms what can be formed now of the sums at positions position ..
    /// position + kPartitionBatch - 1, given that only partitions position, position + 1, ...
    /// are replaced (one per block, after that block's sum). [audio]
    void beginBatch(int position) noexcept;
    /// beginBatch(position) on two delay lines that share their partition spectra, in one
    /// pass; each gets the partial sums its own beginBatch would give. [audio]
    static void beginBatchPair(CSpectralDelayLine& first, CSpectralDelayLine& second, int position) noexcept;
    /// The sum at position (batch start + j) for j = 0..kPartitionBatch-1, in the order
    /// of the batch; bin 0 packed. Call at that block's end, before its input block is
    /// pushed and its partition replaced. sumRe/sumIm receive stride() entries. [audio]
    void finishBatchBlock(int j, double* sumRe, double* sumIm) const noexcept;
    /// finishBatchBlock(j, ...) on two delay lines that share their partition spectra, in one
    /// pass; each gets the sums its own finishBatchBlock would give. [audio]
    static void finishBatchBlockPair(int j, const CSpectralDelayLine& first, const CSpectralDelayLine& second,
                                     double* firstRe, double* firstIm, double* secondRe, double* secondIm) noexcept;
    /// Bins stored per spectrum half: B rounded up to a multiple of 8. [any]
    int stride() const noexcept { return m_stride; }

private:
    Complex binOf(const double* spectrum, int k) const noexcept
    {
        return Complex(spectrum[k], spectrum[m_stride + k]);
    }
    double* input(int position) noexcept { return m_input + static_cast<size_t>(position) * m_spectrumSize; }
    const double* input(int position) const noexcept { return m_input + static_cast<size_t>(position) * m_spectrumSize; }
    double* partition(int p) noexcept { return m_taps + static_cast<size_t>(p) * m_partitionSize; }
    const double* partition(int p) const noexcept { return m_taps + static_cast<size_t>(p) * m_partitionSize; }
    void allocate();
    /// Marks what the batch starting at position leaves out and lists the input blocks in
    /// time order, for the pass.
    void prepareBatch(int position) noexcept;

    int m_L;
    int m_B;
    int m_P;
    int m_stride;
    int m_spectrumSize;          // doubles per stored input spectrum (re, im rows)
    int m_partitionSize;         // doubles per stored partition (re, im rows)
    std::unique_ptr<CPartitionSpectra> m_ownPartitions;
    CPartitionSpectra* m_partitions;
    std::vector<double> m_storage;
    double* m_input = nullptr;   // P input blocks, 64-byte aligned
    double* m_taps = nullptr;    // the P partitions' spectra
    double* m_partials = nullptr; // kPartitionBatch partial sums of the running batch, after the inputs
    Complex m_sum;
    // The running batch: its first position and the partitions its pass left out.
    int m_batchPosition = 0;
    std::vector<unsigned char> m_passed;
    std::vector<int> m_deferred;
    std::vector<const double*> m_blockOrder;
    int m_deferredCount = 0;
};
