// CGraphicEqEngine: one audio channel through a filter whose taps are a weighted
// sum of fifteen fixed band impulse responses (2/3-octave bands, 25 Hz..16 kHz).
//
// - Band design (CBandSet): the frequency-sampled impulse responses of analog LC
//   band-pass ladders, designed once per rate and size and shared read-only.
// - Tap combination (CTapBank): taps[n] = sum over bands of window[b][n] * gain[b] *
//   bandResponse[b][n], redone on every gain or window change.
// - Block convolution (block_convolution.cpp): uniformly partitioned FFT
//   convolution, fed one sample at a time, latency 2 * blockSize - 1 samples.
//   One tap partition is taken in per block, so a tap change reaches the output
//   partition by partition. Each block result lacks its Nyquist component
//   (-1)^j * N_t / fftSize: inputs whose blocks carry no Nyquist content (every
//   even-indexed sample equal to the next one) are filtered exactly.
//
// An engine built on its own owns its taps. The two channels of a CGraphicEqPair
// share one CTapBank; the pair drives them.
//
// Threads: construction and setBandDecay on the main thread (they allocate);
// everything else allocates nothing, takes no lock and makes no system call. The
// engine is not synchronised: setBandGains / setBandDecay / combineBands must not
// overlap processSample (the owner serialises them, normally by calling all of them
// from the audio thread).
#pragma once

#include "dsp/real_fft.h"
#include "dsp/spectral_delay_line.h"
#include "dsp/tap_bank.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGraphicEqEngine
{
public:
    static constexpr int kBandCount = CTapBank::kBandCount;

    /// Builds the engine with the fifteen bands of sampleRate. All windows start at zero,
    /// so the engine outputs silence until setBandDecay() opens them. Sizes are powers of
    /// two with firstTap + filterLength <= designSize; the plug-in passes
    /// (rate, channel, 2048, 2048, 64, 0) up to 48 kHz. [main]
    CGraphicEqEngine(int sampleRate, int channel, int designSize, int filterLength, int blockSize,
                     int firstTap);
    CGraphicEqEngine(const CGraphicEqEngine&) = delete;
    CGraphicEqEngine& operator=(const CGraphicEqEngine&) = delete;

    /// windows[band][n] = exp(-(n * decayRate / sampleRate)) over the convolved taps, then
    /// combineBands(). decayRate 0 opens the band fully. [main]
    void setBandDecay(int band, double decayRate, int sampleRate)
    {
        m_bank->setBandDecay(band, decayRate, sampleRate, m_pos);
    }
    /// Replaces the fifteen linear band gains (25 Hz .. 16 kHz) and recombines the taps. [audio]
    void setBandGains(double g0, double g1, double g2, double g3, double g4, double g5, double g6,
                      double g7, double g8, double g9, double g10, double g11, double g12,
                      double g13, double g14) noexcept;
    /// The same with the gains in an array of kBandCount values. [audio]
    void setBandGains(const double* bandGains) noexcept { m_bank->setBandGains(bandGains, m_pos); }
    /// taps[n] = sum over bands of (windows[b][n] * gains[b]) * bandResponses[b][n] for
    /// firstTap <= n < tapEnd. Called by the two setters; the new taps are taken in one
    /// partition per block. [audio]
    void combineBands() noexcept { m_bank->combineBands(m_pos); }

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
    const double* taps() const noexcept { return m_bank->taps(); }
    int designSize() const noexcept { return m_bank->designSize(); }
    /// Position of the next input sample within the block.
    int pos() const noexcept { return m_pos; }
    /// First tap of the partition being gathered.
    int partOffset() const noexcept { return m_partOffset; }
    int tapEnd() const noexcept { return m_tapEnd; }
    /// The fifteen linear band gains.
    const double* gains() const noexcept { return m_bank->gains(); }
    /// Band b's window over the taps and its designed impulse response.
    const double* windows(int band) const noexcept { return m_bank->window(band); }
    const CTapArray& bandResponses(int band) const noexcept { return m_bank->bandResponse(band); }

private:
    friend class CGraphicEqPair;

    /// A channel filtering with bank's taps, sized as the bank. leads: this channel's
    /// block ends take the partitions in (an engine of its own leads its bank). [main]
    CGraphicEqEngine(std::shared_ptr<CTapBank> bank, bool leads, int filterLength, int blockSize,
                     int firstTap);

    /// The whole block end of this channel alone.
    void finishBlock() noexcept;
    // The block end in steps, so a pair can form both channels' sums and take the
    // partition in once: the sums (formSums), the output block and this block's input
    // spectrum (completeBlock), then the next block (advance).
    int currentPartition() const noexcept { return (m_partOffset - m_firstTap) / m_blockSize; }
    void formSums() noexcept
    {
        m_delayLine.finishBatchBlock(m_batchPhase, m_sumRe.data(), m_sumIm.data());
    }
    void completeBlock(int q) noexcept;
    void advance() noexcept;
    /// Silence, at lead's place in the block and its batch: how a channel left unfed while
    /// the other ran rejoins it.
    void restartInStepWith(const CGraphicEqEngine& lead) noexcept;
    bool inStepWith(const CGraphicEqEngine& other) const noexcept
    {
        return m_blocks == other.m_blocks && m_pos == other.m_pos;
    }

    std::shared_ptr<CTapBank> m_bank;
    bool m_leads;
    int m_partitions;
    int m_blockSize;
    int m_fftSize;
    int m_pos = 0;
    int m_partOffset;
    int m_firstTap;
    int m_tapEnd;
    // Blocks are counted from construction; in batches of kPartitionBatch, the first block
    // of a batch starts the delay line's batch pass, every block completes its sum.
    uint64_t m_blocks = 0;
    int m_batchPhase = 0;
    std::vector<double> m_outBlock;
    std::vector<double> m_inBlock;
    ARFFT m_inputTransform;
    BRFFT m_outputTransform;
    CSpectralDelayLine m_delayLine;
    // Block-end scratch: the packed output half spectrum (fftSize/2 + 1 entries, split re/im).
    std::vector<double> m_sumRe;
    std::vector<double> m_sumIm;
};
