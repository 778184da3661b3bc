// CTapBank: the filter's taps and what is derived from them, for the channels that
// filter with one setting (a stereo equaliser's two channels share one bank).
//
// - Tap combination: taps[n] = sum over bands of (windows[b][n] * gains[b]) *
//   bandResponses[b][n], band 1 plus band 0 first, then bands 2..14 in order. The
//   band responses come from the process-wide CBandSet of the rate and size.
// - Partition spectra: the block convolution takes the taps in one partition per
//   block. The bank gathers the partition of the current block as its samples pass
//   (gatherTaps on every recombination, so a change in mid-block gives each sample
//   the taps current at its time) and at the block end brings that partition's
//   spectrum up to date (takePartition), unless its taps are bit for bit those it
//   was last transformed from. Shared by the channels, each partition is transformed
//   once for all of them.
//
// Threads: construction and setBandDecay on the main thread (they allocate); the
// rest allocates nothing, takes no lock and makes no system call, and must not
// overlap the convolution of a channel that reads this bank.
#pragma once

#include "dsp/band_set.h"
#include "dsp/partition_spectra.h"
#include "dsp/real_fft.h"

#include <cstdint>
#include <memory>
#include <vector>

class CTapBank
{
public:
    static constexpr int kBandCount = CBandSet::kBandCount;

    /// Taps for the bands of sampleRate at designSize; the convolution covers the taps
    /// firstTap .. firstTap + filterLength - 1 in partitions of blockSize. Gains 1.0, all
    /// windows closed (zero), so the taps are zero. [main]
    CTapBank(int sampleRate, int designSize, int filterLength, int blockSize, int firstTap);
    CTapBank(const CTapBank&) = delete;
    CTapBank& operator=(const CTapBank&) = delete;

    /// windows[band][n] = exp(-(n * decayRate / sampleRate)) over the convolved taps, then
    /// combineBands(pos). A band without decay shares the set's window of ones; one with
    /// decay gets a window of its own on first use. [main]
    void setBandDecay(int band, double decayRate, int sampleRate, int pos);
    /// Replaces the fifteen linear gains and recombines. [audio]
    void setBandGains(const double* bandGains, int pos) noexcept;
    /// Recombines the taps. pos: the samples of the current block already processed,
    /// which keep the taps they were gathered with. [audio]
    void combineBands(int pos) noexcept;
    /// Block end of the partition being gathered: its spectrum is brought up to date,
    /// and the next partition starts. [audio]
    void takePartition() noexcept;

    // Readable state. [any]
    const double* taps() const noexcept { return m_taps.data(); }
    const double* gains() const noexcept { return m_gains; }
    const double* window(int band) const noexcept { return m_windows[band]; }
    const CTapArray& bandResponse(int b) const noexcept { return m_bands->response(b); }
    int designSize() const noexcept { return m_designSize; }
    int tapEnd() const noexcept { return m_tapEnd; }
    /// The partition spectra the channels multiply with. [audio]
    CPartitionSpectra& partitions() noexcept { return m_spectra; }

private:
    /// Copies the taps of the partition being gathered up to sample `upTo` into tapBlock.
    void gatherTaps(int upTo) noexcept;

    std::shared_ptr<const CBandSet> m_bands;
    int m_designSize;
    int m_blockSize;
    int m_firstTap;
    int m_tapEnd;
    int m_partOffset; ///< first tap of the partition being gathered
    std::vector<double> m_taps;
    double m_gains[kBandCount];
    const double* m_windows[kBandCount];          ///< the set's ones or zeros, or m_ownWindows[b]
    std::vector<double> m_ownWindows[kBandCount]; ///< windows with decay, made on first use
    // tapBlock[0..m_gathered) holds the taps of the current partition read so far.
    std::vector<double> m_tapBlock;
    int m_gathered = 0;
    // The taps each partition was last transformed from, and the spectra. Every
    // recombination starts a new generation of the taps; a partition known to hold the
    // current generation is left alone without reading its taps at all.
    std::vector<double> m_transformedTaps;
    uint64_t m_generation = 1;
    std::vector<uint64_t> m_transformedGeneration; ///< 0: unknown
    CPartitionSpectra m_spectra;
    ARFFT m_tapTransform;
};
