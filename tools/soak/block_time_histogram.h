// BlockTimeHistogram: how long process calls took, each as a fraction of its
// block's real-time budget (frames / sample rate), in logarithmic bins fixed
// up front, so that recording on the audio thread never allocates and an hour
// of blocks takes no more room than a second.
#pragma once

#include <array>
#include <cstdint>

namespace corvale::soak {

class BlockTimeHistogram
{
public:
    /// Records one block. [audio]
    void record(double fractionOfBudget);

    uint64_t count() const { return count_; } ///< [any, after the run]
    double worst() const { return worst_; }   ///< [any, after the run]
    /// The smallest value that at least `fraction` (0..1) of the blocks did not
    /// exceed, to the bins' resolution (about 1.2 %), rounded up. [any, after the run]
    double percentile(double fraction) const;

private:
    static constexpr double kLowest = 1.0e-6; ///< everything below lands in bin 0
    static constexpr int kBinsPerDecade = 200;
    static constexpr int kDecades = 10;
    static constexpr int kBins = kBinsPerDecade * kDecades;

    static double upperEdge(int bin);

    std::array<uint64_t, kBins> bins_ {};
    uint64_t count_ = 0;
    double worst_ = 0.0;
};

} // namespace corvale::soak
