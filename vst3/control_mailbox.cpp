#include "vst3/control_mailbox.h"

#include <cstring>

uint64_t ControlMailbox::pack(uint32_t sequence, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return (static_cast<uint64_t>(sequence) << 32) | bits;
}

float ControlMailbox::valueOf(uint64_t word)
{
    const auto bits = static_cast<uint32_t>(word);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void ControlMailbox::reset(int32_t slotCount, const float* initial)
{
    // Both arrays exist before either replaces the old ones: a failed
    // allocation leaves the mailbox as it was.
    const int32_t count = slotCount > 0 ? slotCount : 0;
    std::unique_ptr<Slot[]> slots(new Slot[static_cast<size_t>(count)]);
    std::unique_ptr<uint64_t[]> scratch(new uint64_t[static_cast<size_t>(count)]());
    m_nSlots = count;
    m_slots = std::move(slots);
    m_scratch = std::move(scratch);
    m_generation.store(0);
    m_nBatchDepth = 0;
    for (int32_t i = 0; i < m_nSlots; ++i)
    {
        const float v = initial != nullptr ? initial[i] : 0.0f;
        m_slots[i].current.store(v);
        m_slots[i].postedValue = v;
    }
}

void ControlMailbox::beginBatch()
{
    if (m_nBatchDepth++ == 0)
        m_generation.fetch_add(1, std::memory_order_acq_rel);  // odd: posts follow
}

void ControlMailbox::endBatch()
{
    if (m_nBatchDepth > 0 && --m_nBatchDepth == 0)
        m_generation.fetch_add(1, std::memory_order_acq_rel);  // even: batch complete
}

void ControlMailbox::post(int32_t slot, float value)
{
    if (slot < 0 || slot >= m_nSlots)
        return;
    Slot& s = m_slots[slot];
    // Zero is the "nothing posted yet" sequence, so skip it on wrap-around.
    if (++s.posted == 0)
        s.posted = 1;
    s.postedValue = value;
    s.mail.store(pack(s.posted, value), std::memory_order_release);
}

bool ControlMailbox::isPending(int32_t slot) const
{
    if (slot < 0 || slot >= m_nSlots)
        return false;
    return m_slots[slot].taken.load(std::memory_order_acquire) != m_slots[slot].posted;
}

float ControlMailbox::read(int32_t slot) const
{
    if (slot < 0 || slot >= m_nSlots)
        return 0.0f;
    const Slot& s = m_slots[slot];
    if (s.taken.load(std::memory_order_acquire) != s.posted)
        return s.postedValue;
    return s.current.load(std::memory_order_relaxed);
}

void ControlMailbox::publish(int32_t slot, float value)
{
    if (slot < 0 || slot >= m_nSlots)
        return;
    Slot& s = m_slots[slot];
    s.current.store(value, std::memory_order_relaxed);
    s.taken.store(s.seen, std::memory_order_release);
}
