// CReferenceConvolution: the engine's block convolution written the plain way,
// sample by sample: one bin of the output spectrum per input sample through
// CSpectralDelayLine::pushAndAccumulate, full complex spectra, and transforms
// with recurrence twiddles. It exists so tests can hold the engine's optimised
// block-end path against it; it is not used on the audio path.
#pragma once

#include "dsp/real_fft.h"
#include "dsp/spectral_delay_line.h"

#include <complex>
#include <vector>

class CReferenceConvolution
{
public:
    using Complex = std::complex<double>;

    /// Convolves with taps[firstTap .. firstTap + filterLength - 1], read live from the
    /// caller's array (which must outlive this object). [main]
    CReferenceConvolution(const double* taps, int filterLength, int blockSize, int firstTap);

    /// Feeds one input sample. [any]
    void processSample(double x) noexcept;
    /// The output belonging to the last input, 2 * blockSize - 1 samples late. [any]
    double currentOutput() const noexcept { return m_outBlock[static_cast<size_t>(m_pos)]; }
    /// Position of the next input sample within the block. [any]
    int pos() const noexcept { return m_pos; }
    /// First tap of the partition being gathered. [any]
    int partOffset() const noexcept { return m_partOffset; }

private:
    const double* m_taps;
    int m_blockSize;
    int m_fftSize;
    int m_pos = 0;
    int m_partOffset;
    int m_firstTap;
    int m_tapEnd;
    std::vector<double> m_tapBlock;
    std::vector<double> m_outBlock;
    std::vector<double> m_inBlock;
    std::vector<double> m_overlap;
    std::vector<Complex> m_outSpectrum;
    ARFFT m_tapTransform;
    ARFFT m_inputTransform;
    BRFFT m_outputTransform;
    CSpectralDelayLine m_delayLine;
};
