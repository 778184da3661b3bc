#include "vst2/vst2_pending_values.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

void Vst2PendingValues::reset(int32 slots)
{
    count_ = slots > 0 ? slots : 0;
    slots_ = std::make_unique<Slot[]>(static_cast<size_t>(count_));
}

void Vst2PendingValues::post(int32 slot, float value, bool forController)
{
    if (!valid(slot))
        return;
    Slot& s = slots_[static_cast<size_t>(slot)];
    s.value.store(value, std::memory_order_relaxed);
    s.forController.store(forController, std::memory_order_release);
    s.forProcessor.store(true, std::memory_order_release);
}

void Vst2PendingValues::postForController(int32 slot, float value)
{
    if (!valid(slot))
        return;
    Slot& s = slots_[static_cast<size_t>(slot)];
    s.value.store(value, std::memory_order_relaxed);
    s.forController.store(true, std::memory_order_release);
}

void Vst2PendingValues::mirror(int32 slot, float value)
{
    if (valid(slot))
        slots_[static_cast<size_t>(slot)].value.store(value, std::memory_order_relaxed);
}

float Vst2PendingValues::value(int32 slot) const
{
    return valid(slot) ? slots_[static_cast<size_t>(slot)].value.load(std::memory_order_acquire) : 0.0f;
}

bool Vst2PendingValues::takeForProcessor(int32 slot, float& value)
{
    if (!valid(slot))
        return false;
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (!s.forProcessor.exchange(false, std::memory_order_acquire))
        return false;
    value = s.value.load(std::memory_order_relaxed);
    return true;
}

bool Vst2PendingValues::takeForController(int32 slot, float& value)
{
    if (!valid(slot))
        return false;
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (!s.forController.exchange(false, std::memory_order_acquire))
        return false;
    value = s.value.load(std::memory_order_relaxed);
    return true;
}

bool Vst2PendingValues::pendingForController(int32 slot) const
{
    return valid(slot) && slots_[static_cast<size_t>(slot)].forController.load(std::memory_order_acquire);
}

void Vst2PendingValues::dropPending()
{
    for (int32 i = 0; i < count_; ++i)
    {
        slots_[static_cast<size_t>(i)].forProcessor.store(false, std::memory_order_relaxed);
        slots_[static_cast<size_t>(i)].forController.store(false, std::memory_order_relaxed);
    }
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
