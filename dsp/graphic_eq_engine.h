// CGraphicEqEngine: one audio channel through a filter whose taps are a weighted
// sum of fifteen fixed band impulse responses (2/3-octave bands, 25 Hz..16 kHz).
//
// - Band design (band_design.cpp): at construction each band gets the
//   frequency-sampled impulse response of an analog LC band-pass ladder.
// - Tap combination (graphic_eq_engine.cpp): taps[n] = sum over bands of
//   window[b][n] * gain[b] * bandResponse[b][n], redone on every gain or window change.
// - Block convolution (block_convolution.cpp): uniformly partitioned FFT
//   convolution, fed one sample at a time, latency 2 * blockSize - 1 samples.
//   One tap partition is taken in per block, so a tap change reaches the output
//   partition by partition. Each block result lacks its Nyquist component
//   (-1)^j * N_t / fftSize: inputs whose blocks carry no Nyquist content (every
//   even-indexed sample equal to the next one) are filtered exactly.
//
// Threads: construction on the main thread (allocates and designs); everything
// else allocates nothing, takes no lock and makes no system call. The engine is
// not synchronised: setBandGains / setBandDecay / combineBands must not overlap
// processSample on the same engine (the owner serialises them, normally by
// calling all of them from the audio thread).
//
// Readable state: taps(), the tap array the block convolution reads, and the few
// positions and settings the tests and the equaliser's checks look at. The per-bin
// output spectrum is formed at the block end in scratch arrays and is not kept.
#pragma once

#include "dsp/real_fft.h"
#include "dsp/spectral_delay_line.h"
#include "dsp/tap_array.h"

#include <complex>
#include <vector>

class CGraphicEqEngine
{
public:
    using Complex = std::complex<double>;
    static constexpr int kBandCount = 15;

    /// Builds the engine and designs the fifteen bands for sampleRate. All windows start at
    /// zero, so the engine outputs silence until setBandDecay() opens them. Sizes are powers
    /// of two with firstTap + filterLength <= designSize; the plug-in passes
    /// (rate, channel, 2048, 2048, 64, 0) up to 48 kHz. [main]
    CGraphicEqEngine(int sampleRate, int channel, int designSize, int filterLength, int blockSize,
                     int firstTap);
    CGraphicEqEngine(const CGraphicEqEngine&) = delete;
    CGraphicEqEngine& operator=(const CGraphicEqEngine&) = delete;

    /// windows[band][n] = exp(-(n * decayRate / sampleRate)) over the convolved taps, then
    /// combineBands(). decayRate 0 opens the band fully. [audio] (or [main] before processing)
    void setBandDecay(int band, double decayRate, int sampleRate) noexcept;
    /// Replaces the fifteen linear band gains (25 Hz .. 16 kHz) and recombines the taps. [audio]
    void setBandGains(double g0, double g1, double g2, double g3, double g4, double g5, double g6,
                      double g7, double g8, double g9, double g10, double g11, double g12,
                      double g13, double g14) noexcept;
    /// The same with the gains in an array of kBandCount values. [audio]
    void setBandGains(const double* bandGains) noexcept;
    /// taps[n] = sum over bands of (windows[b][n] * gains[b]) * bandResponses[b][n] for
    /// firstTap <= n < tapEnd. Called by the two setters; the new taps are taken in one
    /// partition per block. [audio]
    void combineBands() noexcept;

    /// Feeds one input sample; then currentOutput() is its filtered value. [audio]
    void processSample(double x) noexcept
    {
        m_inBlock[static_cast<size_t>(m_pos)] = x;
        if (++m_pos == m_blockSize)
            finishBlock();
    }
    /// The output belonging to the last input: the filtered signal 2 * blockSize - 1
    /// samples late. 0.0 before any input. [audio]
    double currentOutput() const noexcept { return m_outBlock[static_cast<size_t>(m_pos)]; }

    // Readable state. [any]
    /// The designSize taps; the convolution reads [firstTap, tapEnd).
    const double* taps() const noexcept { return m_taps.data(); }
    int designSize() const noexcept { return m_designSize; }
    /// Position of the next input sample within the block.
    int pos() const noexcept { return m_pos; }
    /// First tap of the partition being gathered.
    int partOffset() const noexcept { return m_partOffset; }
    int tapEnd() const noexcept { return m_tapEnd; }
    /// The fifteen linear band gains.
    const double* gains() const noexcept { return m_gains; }
    /// Band b's window over the taps and its designed impulse response.
    const double* windows(int band) const noexcept { return m_windows[static_cast<size_t>(band)].data(); }
    const CTapArray& bandResponses(int band) const noexcept { return m_bandResponses[static_cast<size_t>(band)]; }

private:
    /// Response of the ladder with the given polynomial coefficients at design bin k
    /// (k * sampleRate / designSize Hz).
    Complex ladderResponse(int k, double b3, double a6, double a5, double a4, double a3, double a2,
                           double a1, double a0, int sampleRate) const;
    void designBands(int sampleRate);
    void designBand(CTapArray& target, double C1, double C2, double C3, double L1, double L2,
                    double L3, double R1, double R2, int sampleRate);
    void finishBlock() noexcept;
    /// Copies the taps of the partition being gathered up to sample `upTo` into tapBlock.
    void gatherTaps(int upTo) noexcept;

    std::vector<double> m_taps;
    int m_designSize;
    int m_partitions;
    int m_blockSize;
    int m_fftSize;
    int m_pos;
    int m_partOffset;
    int m_firstTap;
    int m_tapEnd;
    std::vector<double> m_tapBlock;
    std::vector<double> m_outBlock;
    std::vector<double> m_inBlock;
    double m_gains[kBandCount];
    std::vector<std::vector<double>> m_windows;
    std::vector<Complex> m_designSpectrum;
    ARFFT m_tapTransform;
    ARFFT m_inputTransform;
    BRFFT m_outputTransform;
    BRFFT m_designTransform;
    CSpectralDelayLine m_delayLine;
    std::vector<CTapArray> m_bandResponses;

    // The partition's taps are gathered lazily: tapBlock[0..m_gathered) holds the taps read
    // so far; combineBands() first reads those the samples since then have passed over, so
    // the partition gets exactly the taps that were current at each of its samples.
    int m_gathered = 0;

    // Block-end scratch: the packed output half spectrum (fftSize/2 + 1 entries, split
    // re/im) and the taps of each partition as last transformed, so a partition whose
    // taps have not changed keeps its spectrum instead of being transformed again.
    std::vector<double> m_sumRe;
    std::vector<double> m_sumIm;
    std::vector<double> m_transformedTaps;
    // Blocks are counted in batches of kPartitionBatch (from construction): the first
    // block of a batch starts the delay line's batch pass, every block completes its sum.
    int m_batchPhase = 0;
};
