// SoakFindings: what a soak run did and what it found, kept in plain fields so
// that the audio thread can fill its part without allocating.
#pragma once

#include "block_time_histogram.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::soak {

/// The first time a check failed on the audio thread.
struct AudioFault
{
    uint64_t count = 0;
    uint64_t block = 0; ///< block index of the first one
    int32_t frame = 0;  ///< frame within that block
    int32_t channel = 0;
    double value = 0.0; ///< the offending sample, or the allocation count
    int32_t blockSize = 0;
    double sampleRate = 0.0;
};

struct SoakFindings
{
    // Audio thread (read after it has stopped).
    uint64_t blocks = 0;
    uint64_t frames = 0;
    uint64_t blocksAt44k = 0;
    uint64_t blocksAt96k = 0;
    uint64_t automationPoints = 0;
    uint64_t bypassToggles = 0;
    uint64_t noteEvents = 0;
    double largestOutput = 0.0;
    AudioFault nonFinite;
    AudioFault overBound;
    AudioFault allocations; ///< blocks in which process allocated; value: how often in the first
    uint64_t allocationsInProcess = 0;
    AudioFault processFailed;
    BlockTimeHistogram small;  ///< blocks of 1..63 frames
    BlockTimeHistogram medium; ///< 64..511
    BlockTimeHistogram large;  ///< 512..4096
    BlockTimeHistogram all;
    std::vector<uint8_t>
        automated; ///< per automatable parameter: was it automated (sized before the run)

    // Main thread.
    uint64_t programChanges = 0;
    uint64_t stateLoads = 0;
    uint64_t corruptStatesRefused = 0;
    uint64_t stateSaves = 0;
    uint64_t hostEdits = 0;
    uint64_t rateChanges = 0;
    double bound = 0.0;   ///< the output bound the run checked against
    double seconds = 0.0; ///< wall time of the run
    bool mallocCounted = false;
    std::vector<std::string> mainFaults; ///< checks that failed on the main thread

    /// True when no check failed.
    bool passed() const
    {
        return nonFinite.count == 0 && overBound.count == 0 && allocations.count == 0
               && processFailed.count == 0 && mainFaults.empty();
    }
};

/// [main] The report: what was done, what was found, the block times.
std::string describe(const SoakFindings& findings, uint64_t seed, const std::string& plugin);

} // namespace corvale::soak
