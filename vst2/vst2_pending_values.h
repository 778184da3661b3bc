// Vst2PendingValues: one slot per VST 2 parameter (and one for bypass) holding
// the latest normalised value and whether the processor and the controller
// still have to take it. A VST 2 host may call setParameter from any thread,
// so the slots are lock-free: a writer stores the value, then raises the flags
// (release); a reader clears a flag (acquire) and reads the value. A later
// value supersedes one not yet taken, so nothing queues up and the last one
// always lands.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <atomic>
#include <memory>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

class Vst2PendingValues
{
public:
    /// Allocates `slots` slots at value 0 with nothing pending. [main, before processing]
    void reset(int32 slots);
    int32 slotCount() const { return count_; }  ///< [any]

    /// Stores a value for the processor's next block; `forController` says whether
    /// the controller still has to take it (false: it has it already, and an older
    /// value waiting for it is dropped). Out-of-range slots are ignored. [any]
    void post(int32 slot, float value, bool forController);
    /// Stores a value that only the controller still has to take (the processor
    /// has it already). [any]
    void postForController(int32 slot, float value);
    /// Stores the value the controller holds, with nothing pending (the host reads it back). [main]
    void mirror(int32 slot, float value);
    /// The latest value of a slot: posted or mirrored; 0 out of range. [any]
    float value(int32 slot) const;

    /// Takes a value pending for the processor; false when there is none. Wait-free. [audio]
    bool takeForProcessor(int32 slot, float& value);
    /// Takes a value pending for the controller; false when there is none. [main]
    bool takeForController(int32 slot, float& value);
    /// True while a value waits for the controller. [any]
    bool pendingForController(int32 slot) const;
    /// Forgets every pending value (a program or chunk load replaces them all). [main]
    void dropPending();

private:
    struct Slot
    {
        std::atomic<float> value {0.0f};
        std::atomic<bool> forProcessor {false};
        std::atomic<bool> forController {false};
    };

    bool valid(int32 slot) const { return slot >= 0 && slot < count_; }

    std::unique_ptr<Slot[]> slots_;
    int32 count_ = 0;
};

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg
