// ParamChangeFifo: the single-producer/single-consumer ring.
#include "host/param_change_fifo.h"

namespace corvale::host {

// One slot stays free so that head == tail means empty.
ParamChangeFifo::ParamChangeFifo(std::size_t capacity) : ring_(capacity + 1) {}

bool ParamChangeFifo::push(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) noexcept
{
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    const std::size_t next = (tail + 1) % ring_.size();
    if (next == head_.load(std::memory_order_acquire))
        return false;
    ring_[tail] = {id, value};
    tail_.store(next, std::memory_order_release);
    return true;
}

bool ParamChangeFifo::pop(Change& out) noexcept
{
    const std::size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire))
        return false;
    out = ring_[head];
    head_.store((head + 1) % ring_.size(), std::memory_order_release);
    return true;
}

} // namespace corvale::host
