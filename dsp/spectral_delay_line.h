// CSpectralDelayLine: the frequency-domain delay line of the block convolution.
// It keeps the spectra of the last P = L/B input blocks and of all P tap
// partitions (B bins each, bin 0 a packed pair: DC in the real part, Nyquist in
// the imaginary part) and forms, per bin k, the sum over p of
// input(block t-p)[k] * partition(p)[k].
//
// Storage is block-major: each input block and each partition is stored in
// chunks of four bins, four reals then four imaginaries (one 64-byte cache
// line), so the block form sums four neighbouring bins at a time in vector
// registers, partition by partition in order p = 0..P-1. Positions are the
// ring positions 0..P-1 of the per-sample interface: the input block pushed at
// position r is "this block", and on the tap side position r stands for
// partition r-1.
//
// pushAndAccumulate() is the plain per-bin reference; pushInputBlock(),
// setPartitionSpectrum(), accumulateBlockAndNext() and completeNext() are the
// block form the engine runs. Both work on the same storage and agree to rounding.
#pragma once

#include <complex>
#include <vector>

class CSpectralDelayLine
{
public:
    using Complex = std::complex<double>;

    /// Builds a delay line for length L (filter length) and block size B, all zero. [main]
    CSpectralDelayLine(int L, int B);
    CSpectralDelayLine(const CSpectralDelayLine&) = delete;
    CSpectralDelayLine& operator=(const CSpectralDelayLine&) = delete;

    /// Stores bin (index mod B) of one input block and one partition at slot index mod L and
    /// sums that bin over all partitions; read the sum with accumulated(). Scalar reference. [audio]
    void pushAndAccumulate(int index, const Complex& inputBin, const Complex& tapBin) noexcept;
    /// The sum formed by the last pushAndAccumulate(). [audio]
    Complex accumulated() const noexcept { return m_sum; }

    /// Stores all B bins of an input block spectrum at ring position (0..P-1). [audio]
    void pushInputBlock(int position, const double* re, const double* im) noexcept;
    /// Replaces the spectrum of tap partition (0..P-1), B bins. [audio]
    void setPartitionSpectrum(int partition, const double* re, const double* im) noexcept;
    /// For every bin k: sum over p of input(position - p)[k] * partition(p)[k] into sumRe/sumIm[k];
    /// bin 0 multiplies the packed parts separately. Same value as pushAndAccumulate's sum.
    /// Plain loops; the engine runs accumulateBlockAndNext(). [audio]
    void accumulateBlock(int position, double* sumRe, double* sumIm) const noexcept;

    /// accumulateBlock(position) and, in the same pass, the next block's sum without its
    /// newest term: next[k] = sum over p >= 1 of input(position + 1 - p)[k] * partition(p)[k].
    /// Valid as long as partitions 1..P-1 do not change before completeNext(). [audio]
    void accumulateBlockAndNext(int position, double* sumRe, double* sumIm, double* nextRe,
                                double* nextIm) noexcept;
    /// sum[k] = next[k] + input(position)[k] * partition(0)[k]: completes the sum at position
    /// from what accumulateBlockAndNext(position - 1) left in next. [audio]
    void completeNext(int position, const double* nextRe, const double* nextIm, double* sumRe,
                      double* sumIm) const noexcept;

    /// Input bin at slot B*q + k of the per-sample layout (block at position q, bin k). [any]
    Complex inputSpectra(int slot) const noexcept;
    /// Tap bin at slot B*q + k of the per-sample layout (partition q-1 mod P, bin k). [any]
    Complex tapSpectra(int slot) const noexcept;
    /// Filter length L. [any]
    int length() const noexcept { return m_L; }
    /// Bins per block B. [any]
    int binsPerBlock() const noexcept { return m_B; }
    /// Number of partitions and input blocks kept, P = L/B. [any]
    int partitionCount() const noexcept { return m_P; }

private:
    // Bin k of a stored spectrum: re at reIndex(k), im four entries later.
    static int reIndex(int k) noexcept { return (k >> 2) * 8 + (k & 3); }
    Complex binOf(const double* spectrum, int k) const noexcept
    {
        return Complex(spectrum[reIndex(k)], spectrum[reIndex(k) + 4]);
    }
    void store(double* spectrum, const double* re, const double* im) noexcept;
    double* input(int position) noexcept { return m_input + static_cast<size_t>(position) * m_spectrumSize; }
    const double* input(int position) const noexcept { return m_input + static_cast<size_t>(position) * m_spectrumSize; }
    double* partition(int p) noexcept { return m_taps + static_cast<size_t>(p) * m_spectrumSize; }
    const double* partition(int p) const noexcept { return m_taps + static_cast<size_t>(p) * m_spectrumSize; }

    int m_L;
    int m_B;
    int m_P;
    int m_spectrumSize;          // doubles per stored spectrum: B bins in chunks of 8 doubles
    std::vector<double> m_storage;
    double* m_input = nullptr;   // P input blocks, 64-byte aligned
    double* m_taps = nullptr;    // P partitions, after the input blocks
    double* m_passSum = nullptr; // chunked results of the vector pass
    double* m_passNext = nullptr;
    Complex m_sum;
};
