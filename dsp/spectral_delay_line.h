// CSpectralDelayLine: the frequency-domain delay line of the block convolution.
// It keeps the spectra of the last P = L/B input blocks and of all P tap
// partitions (B bins each, bin 0 a packed pair: DC in the real part, Nyquist in
// the imaginary part) and forms, per bin k, the sum over p of
// input(block t-p)[k] * partition(p)[k].
//
// Storage is bin-major: for each bin the P input spectra (held twice, as a
// ring of 2P, so any P consecutive blocks are contiguous) and the P partition
// spectra (in reverse partition order) sit next to each other, re and im in
// separate arrays, so the per-bin sum runs over contiguous memory. Positions
// are the ring positions 0..P-1 of the per-sample interface: the input block
// pushed at position r is "this block", and position r stands for partition
// r-1 on the tap side.
//
// pushAndAccumulate() is the plain per-bin reference; pushInputBlock(),
// setPartitionSpectrum() and accumulateBlock() are the block form the engine
// runs. Both work on the same storage and agree to rounding.
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
    /// bin 0 multiplies the packed parts separately. Same value as pushAndAccumulate's sum. [audio]
    void accumulateBlock(int position, double* sumRe, double* sumIm) const noexcept;

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
    const double* bin(int k) const noexcept { return m_data + static_cast<size_t>(k) * m_stride; }
    double* bin(int k) noexcept { return m_data + static_cast<size_t>(k) * m_stride; }

    int m_L;
    int m_B;
    int m_P;
    int m_stride;                // doubles per bin: input re/im (2P each), taps re/im (P each), padded
    std::vector<double> m_storage;
    double* m_data = nullptr;    // m_storage aligned to 64 bytes
    Complex m_sum;
};
