// ParamChangeFifo: hands parameter edits from the main thread to the audio
// thread without locks or allocation.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <atomic>
#include <cstddef>
#include <vector>

namespace corvale::host {

/// Single-producer/single-consumer queue of (parameter ID, normalised value) pairs:
/// the main thread pushes edits, the audio thread drains them at the start of a block.
/// Wait-free on both sides; the ring is allocated in the constructor.
class ParamChangeFifo
{
public:
    struct Change
    {
        Steinberg::Vst::ParamID id;
        Steinberg::Vst::ParamValue value;
    };

    /// [main] Allocates a ring holding `capacity` changes.
    explicit ParamChangeFifo(std::size_t capacity = 1024);

    /// [main] Appends one change; false when the ring is full (the change is dropped).
    bool push(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) noexcept;

    /// [audio] Takes the oldest change; false when empty.
    bool pop(Change& out) noexcept;

private:
    std::vector<Change> ring_;
    std::atomic<std::size_t> head_ {0}; // next slot to read, written by the consumer
    std::atomic<std::size_t> tail_ {0}; // next slot to write, written by the producer
};

} // namespace corvale::host
