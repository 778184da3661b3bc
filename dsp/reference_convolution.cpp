// CReferenceConvolution: per-sample partitioned convolution, step by step.
#include "dsp/reference_convolution.h"

#include <algorithm>

CReferenceConvolution::CReferenceConvolution(const double* taps, int filterLength, int blockSize, int firstTap)
    : m_taps(taps),
      m_blockSize(blockSize),
      m_fftSize(2 * blockSize),
      m_partOffset(firstTap),
      m_firstTap(firstTap),
      m_tapEnd(firstTap + blockSize * (filterLength / blockSize)),
      m_tapBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_outBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_inBlock(static_cast<size_t>(2 * blockSize), 0.0),
      m_overlap(static_cast<size_t>(blockSize), 0.0),
      m_outSpectrum(static_cast<size_t>(2 * blockSize), Complex(0.0, 0.0)),
      m_tapTransform(2 * blockSize),
      m_inputTransform(2 * blockSize),
      m_outputTransform(2 * blockSize),
      m_delayLine(filterLength, blockSize)
{
    m_tapTransform.useRecurrenceTwiddles(true);
    m_inputTransform.useRecurrenceTwiddles(true);
    m_outputTransform.useRecurrenceTwiddles(true);
}

void CReferenceConvolution::processSample(double x) noexcept
{
    const int B = m_blockSize;
    const int M = m_fftSize / 2;
    m_inBlock[static_cast<size_t>(m_pos)] = x;
    m_tapBlock[static_cast<size_t>(m_pos)] = m_taps[m_partOffset + m_pos];
    m_tapBlock[static_cast<size_t>(B + m_pos)] = 0.0;
    Complex* tapSpectrum = m_tapTransform.spectrumBuffer();
    Complex* inputSpectrum = m_inputTransform.spectrumBuffer();
    if (m_pos == 0)
    {
        tapSpectrum[0] = Complex(tapSpectrum[0].real(), tapSpectrum[M].real());
        inputSpectrum[0] = Complex(inputSpectrum[0].real(), inputSpectrum[M].real());
    }
    m_delayLine.pushAndAccumulate(m_pos + m_partOffset - m_firstTap, inputSpectrum[m_pos], tapSpectrum[m_pos]);
    const Complex S = m_delayLine.accumulated();
    if (m_pos == 0)
    {
        m_outSpectrum[0] = S;
        m_outSpectrum[static_cast<size_t>(M)] = Complex(S.imag(), 0.0);
    }
    else
    {
        m_outSpectrum[static_cast<size_t>(m_pos)] = S;
        m_outSpectrum[static_cast<size_t>(m_fftSize - m_pos)] = std::conj(S);
    }
    if (++m_pos < B)
        return;

    m_tapTransform.forwardReal(m_tapBlock.data());
    m_inputTransform.forwardReal(m_inBlock.data());
    for (int i = 0; i < B; ++i)
        m_overlap[static_cast<size_t>(i)] = m_outBlock[static_cast<size_t>(B + i)];
    m_outputTransform.inverseReal(m_outSpectrum.data());
    m_outputTransform.normalize();
    std::fill(m_outSpectrum.begin(), m_outSpectrum.end(), Complex(0.0, 0.0));
    const Complex* time = m_outputTransform.timeBuffer();
    for (int i = 0; i < m_fftSize; ++i)
        m_outBlock[static_cast<size_t>(i)] = time[i].real();
    for (int i = 0; i < B; ++i)
        m_outBlock[static_cast<size_t>(i)] += m_overlap[static_cast<size_t>(i)];
    m_pos = 0;
    std::fill(m_inBlock.begin(), m_inBlock.end(), 0.0);
    std::fill(m_overlap.begin(), m_overlap.end(), 0.0);
    m_partOffset += B;
    if (m_partOffset >= m_tapEnd)
        m_partOffset = m_firstTap;
}
