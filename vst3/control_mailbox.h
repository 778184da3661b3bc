// ControlMailbox: hands values written on the main thread (state loads, program
// changes) to the audio thread without locks, and hands the values the audio
// thread applied back to the main thread.
//
// One slot per value. The main thread writes a slot's value and a fresh sequence
// number as one 64-bit word; the audio thread, at the start of a block, applies
// every slot whose sequence number it has not seen. A later write to a slot
// supersedes an earlier one that was not taken yet, so the mailbox never fills
// and the last value written always lands. Writes grouped in a batch land in the
// same block: a generation counter, odd while a batch is being written, lets the
// reader detect a batch in progress and retry (bounded) or leave it to the next
// block. At the end of a block the audio thread publishes each slot's current
// value, so the main thread can read "the pending value if any, else the value
// in use" without touching the audio thread's objects.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

class ControlMailbox
{
public:
    ControlMailbox() = default;
    ControlMailbox(const ControlMailbox&) = delete;
    ControlMailbox& operator=(const ControlMailbox&) = delete;

    /// Allocates `slotCount` slots, each published as `initial[i]` (0 without). [main, not processing]
    void reset(int32_t slotCount, const float* initial = nullptr);
    int32_t slotCount() const { return m_nSlots; }  ///< [any]

    /// Opens and closes a batch of posts that must land in one block. [main]
    void beginBatch();
    void endBatch();
    /// Posts a value for a slot; it supersedes an earlier one not yet taken. [main]
    void post(int32_t slot, float value);
    /// The value a reader of the state should see: the posted one while it is
    /// pending, else the one the consumer last published. [main]
    float read(int32_t slot) const;
    /// True while a posted value has not been taken and published. [main]
    bool isPending(int32_t slot) const;

    /// Applies every new value through apply(slot, value); false when a batch was
    /// being written throughout, in which case nothing is applied. Wait-free.
    /// [audio] (or [main] while the audio thread does not run)
    template <typename Apply>
    bool drain(Apply&& apply);
    /// Publishes the value in use for a slot and marks what was taken as taken.
    /// [audio] (or [main] while the audio thread does not run)
    void publish(int32_t slot, float value);

private:
    static constexpr int kDrainAttempts = 3;

    struct Slot
    {
        std::atomic<uint64_t> mail {0};      ///< sequence << 32 | value bits; written by main
        std::atomic<uint32_t> taken {0};     ///< sequence the consumer has applied and published
        std::atomic<float> current {0.0f};   ///< value in use, published by the consumer
        uint32_t posted = 0;                 ///< main only: last sequence posted
        float postedValue = 0.0f;            ///< main only: last value posted
        uint32_t seen = 0;                   ///< consumer only: last sequence applied
    };

    static uint64_t pack(uint32_t sequence, float value);
    static uint32_t sequenceOf(uint64_t word) { return static_cast<uint32_t>(word >> 32); }
    static float valueOf(uint64_t word);

    std::unique_ptr<Slot[]> m_slots;
    std::unique_ptr<uint64_t[]> m_scratch;  ///< consumer only: one snapshot of all slots
    int32_t m_nSlots = 0;
    std::atomic<uint32_t> m_generation {0};  ///< odd while a batch is being written
    int32_t m_nBatchDepth = 0;               ///< main only
};

template <typename Apply>
bool ControlMailbox::drain(Apply&& apply)
{
    for (int attempt = 0; attempt < kDrainAttempts; ++attempt)
    {
        const uint32_t before = m_generation.load(std::memory_order_acquire);
        if ((before & 1u) != 0)
            continue;
        for (int32_t i = 0; i < m_nSlots; ++i)
            m_scratch[i] = m_slots[i].mail.load(std::memory_order_acquire);
        if (m_generation.load(std::memory_order_acquire) != before)
            continue;
        for (int32_t i = 0; i < m_nSlots; ++i)
        {
            Slot& s = m_slots[i];
            const uint32_t sequence = sequenceOf(m_scratch[i]);
            if (sequence == s.seen)
                continue;
            s.seen = sequence;
            apply(i, valueOf(m_scratch[i]));
        }
        return true;
    }
    return false;
}
